#pragma once

#include "app/windows/options_dialog.h"
#include "skin/shaped_form.h"
#include "skin/sk_picture.h"

class AcpiBridge;
class QComboBox;
class QLabel;
class QLineEdit;
class SkButton;

// The options dialog: how the alarm music plays (repeat mode, duration,
// volume). This first version offers no choices and holds none.
class TfrmOptions : public OptionsDialog
{
    Q_OBJECT

public:
    explicit TfrmOptions(AcpiBridge &bridge, QWidget *parent = nullptr);
    ~TfrmOptions() override;

    QString selectedMode() const override;
    QString selectedDuration() const override;
    QString volume() const override;
    void clickClose() override;

    void skbCloseClick();

    SkPicture *imgBg;
    QLabel *lblTitle;
    SkButton *skbClose;
    QComboBox *cbxMode;
    QComboBox *cbxDuration;
    QLineEdit *edtVolume;

private:
    AcpiBridge &m_bridge;
    ShapedForm shapedForm;
};
