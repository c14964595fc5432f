#pragma once

#include <QWidget>

class QLabel;
class SkPicture;

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

protected:
    // Makes a press on `title` drag the window as a press on `background`
    // does: the title passes it to the background picture's handler.
    void dragByTitle(QLabel *title, SkPicture *background);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_title = nullptr;
    SkPicture *m_background = nullptr;
};
