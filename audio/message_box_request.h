#pragma once

#include <functional>
#include <optional>
#include <string>

// A message box that the audio code asks its owner to show. The owner shows
// it over its own window with a single OK button; the audio code knows no
// window toolkit.
struct MessageBoxRequest
{
    enum class Icon
    {
        None,
        Error
    };

    std::string text;
    // The caption; none means the application's title.
    std::optional<std::string> caption;
    Icon icon = Icon::None;
};

using MessageBoxCallback = std::function<void(const MessageBoxRequest &)>;
