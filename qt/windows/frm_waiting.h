#pragma once

#include <QWidget>

class QLabel;

// The small window that is the only one on screen while the program searches
// the CD drives at start. The user cannot close it; the end of the drive
// search hides it for the rest of the run.
class TfrmWaiting : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmWaiting(QWidget *parent = nullptr);

    QLabel *Label1;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
};
