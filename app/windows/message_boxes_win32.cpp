#include "app/windows/message_boxes.h"

namespace {

class SystemMessageBoxes : public MessageBoxes
{
public:
    void show(HWND owner, const std::string &caption, const std::string &text, Icon icon) override
    {
        UINT flags = MB_OK;
        if (icon == Icon::Warning)
            flags |= MB_ICONWARNING;
        else if (icon == Icon::Error)
            flags |= MB_ICONERROR;
        // Without an owner the box would be a window of its own in the task
        // bar; with one it keeps that window disabled until it is closed.
        if (!owner)
            flags |= MB_TASKMODAL;
        MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
    }
};

} // namespace

MessageBoxes &systemMessageBoxes()
{
    static SystemMessageBoxes boxes;
    return boxes;
}
