#pragma once

#include <QWidget>

// One of the three setting dialogs that open beside the panel: a modeless,
// frameless window cut to its background picture, created once and alive for
// the whole run. Its controls hold the application's copy of its part of the
// alarm; the panel shows what they hold.
class SettingDialog : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Closes the dialog as its close button does, which acts as Cancel.
    virtual void clickClose() = 0;

signals:
    // The user confirmed the dialog and the firmware took the values; the
    // panel refreshes its display of them.
    void stored();
};
