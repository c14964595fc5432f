#include "app/windows/audio_box.h"

#include "app/windows/message_boxes.h"

MessageBoxCallback AudioBox::over(HWND owner)
{
    return [owner](const MessageBoxRequest &request) {
        // A gone owner leaves the box without one rather than with a stale handle.
        const HWND live = IsWindow(owner) ? owner : nullptr;
        const MessageBoxes::Icon icon = request.icon == MessageBoxRequest::Icon::Error
                                            ? MessageBoxes::Icon::Error
                                            : MessageBoxes::Icon::None;
        MessageBoxes::current().show(live, request.caption.value_or(MessageBoxes::ApplicationTitle),
                                     request.text, icon);
    };
}
