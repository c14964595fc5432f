#pragma once

#include "qt/windows/message_boxes.h"

#include <QString>
#include <QWidget>

#include <vector>

// Records every message box instead of showing it, for as long as it lives.
class RecordingMessageBoxes : public MessageBoxes
{
public:
    struct Box
    {
        QString owner; // the owning window's object name
        QString caption;
        QString text;
        Icon icon;
    };

    RecordingMessageBoxes() { MessageBoxes::install(this); }
    ~RecordingMessageBoxes() override { MessageBoxes::install(nullptr); }

    void show(QWidget *owner, const QString &caption, const QString &text, Icon icon) override
    {
        boxes.push_back({owner ? owner->objectName() : QString(), caption, text, icon});
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Box &box : boxes)
            result << box.text;
        return result;
    }

    std::vector<Box> boxes;
};
