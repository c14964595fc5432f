#pragma once

#include "qt/skin/sk_custom_control.h"
#include "qt/skin/sk_four_state_appearance.h"

// The bitmap push button: four states, raised (0), sunken (1), focused (2) and disabled (3); an
// empty sunken, focused or disabled bitmap shows the raised one. A click comes from the left
// button released on the button after a press on it, or from each character the space key
// produces; a quick second press is a second click. Enter does not click.
class SkButton : public SkCustomControl
{
    Q_OBJECT
public:
    explicit SkButton(QWidget *parent = nullptr);
    ~SkButton() override;

    SkFourStateAppearance &Appearance() { return m_appearance; }
    const SkFourStateAppearance &Appearance() const { return m_appearance; }
    // Copies the given appearance's four bitmaps.
    void SetAppearance(const SkFourStateAppearance &appearance);
    // SkFourStateAppearance::LoadFromFiles on the button's appearance.
    bool LoadBitmap(const QString &folder, const QString &raised, const QString &sunken,
                    const QString &focused, const QString &disabled);

    // Given to the button's window on every click: a QDialog's result, or else the window's
    // "ModalResult" property. 0 is given too.
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }

    void ShowSunken() override { ShowBitmap(1); }
    void ShowFocused() override { ShowBitmap(2); }
    void ShowDisabled() override { ShowBitmap(3); }

    void Click() override;

protected:
    void KeyPress(QChar &key) override;

private:
    SkFourStateAppearance m_appearance;
    int m_modalResult = 0;
};
