#include "qt/skin/sk_button_tx.h"

#include "qt/skin/color_ref.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>
#include <QResizeEvent>

namespace {

constexpr std::uint32_t grayTextColor = 0x80000011u;

} // namespace

SkButtonTx::SkButtonTx(QWidget *parent)
    : SkButton(parent), m_fontColors(new SkThreeStateFontColor(this))
{
    connect(m_fontColors, &SkCtrlFontColor::changed, this, [this] { DoRepaint(); });
}

SkButtonTx::~SkButtonTx() = default;

void SkButtonTx::SetDisp(int x, int y)
{
    m_dispX = x;
    m_dispY = y;
}

void SkButtonTx::SetTextBounds(int left, int top, int width, int height)
{
    m_textRect = QRect(left, top, width, height);
    DoRepaint();
}

void SkButtonTx::SetText(const QString &text)
{
    if (text == m_caption)
        return;
    m_caption = text;
    DoRepaint();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void SkButtonTx::SetFontColors(const SkThreeStateFontColor &colors)
{
    m_fontColors->Assign(colors);
}

QColor SkButtonTx::GetFontColorOfCurState() const
{
    const QColor fontColor = palette().color(QPalette::Active, QPalette::WindowText);
    QColor chosen;
    switch (CurrentState()) {
    case 1:
        chosen = m_fontColors->Sunken();
        break;
    case 2:
        chosen = m_fontColors->Focused();
        break;
    case 3:
        chosen = m_fontColors->Disabled();
        if (!chosen.isValid())
            chosen = colorFromColorRef(grayTextColor);
        break;
    default:
        break;
    }
    return chosen.isValid() ? chosen : fontColor;
}

void SkButtonTx::ShowBitmap(int index)
{
    SkButton::ShowBitmap(index);
    DoRepaint();
}

void SkButtonTx::ShowSunken()
{
    m_sunkenPending = true;
    SkButton::ShowSunken();
}

void SkButtonTx::DoRepaint()
{
    display().Redraw();
    DrawText();
    update();
}

void SkButtonTx::DrawText()
{
    QRect rect = m_textRect;
    if (m_sunkenPending) {
        m_sunkenPending = false;
        rect.setLeft(rect.left() + m_dispX);
        rect.setTop(rect.top() + m_dispY);
    }
    QImage &canvas = SurfaceCanvas();
    if (canvas.isNull() || m_caption.isEmpty())
        return;
    QPainter painter(&canvas);
    painter.setFont(font());
    painter.setPen(GetFontColorOfCurState());
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, m_caption);
}

void SkButtonTx::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        DoRepaint();
    SkButton::changeEvent(event);
}

void SkButtonTx::resizeEvent(QResizeEvent *event)
{
    SkButton::resizeEvent(event);
    SetTextBounds(0, 0, event->size().width(), event->size().height());
}
