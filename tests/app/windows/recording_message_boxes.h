#pragma once

#include "app/windows/message_boxes.h"

#include <string>
#include <vector>

// Records every message box instead of showing it, for as long as it lives.
class RecordingMessageBoxes : public MessageBoxes
{
public:
    struct Box
    {
        HWND owner;
        std::string caption;
        std::string text;
        Icon icon;
    };

    RecordingMessageBoxes() { MessageBoxes::install(this); }
    ~RecordingMessageBoxes() override { MessageBoxes::install(nullptr); }

    void show(HWND owner, const std::string &caption, const std::string &text, Icon icon) override
    {
        boxes.push_back({owner, caption, text, icon});
        if (onShow)
            onShow(boxes.back());
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const Box &box : boxes)
            result.push_back(box.text);
        return result;
    }

    std::vector<Box> boxes;
    // Runs while a box is "open", as the user would see it.
    void (*onShow)(const Box &) = nullptr;
};
