// The main window's look and placement.
#include "app/MainWindow.h"

#include "platform/core/Color.h"
#include "platform/gfx/Font.h"

#include <QGuiApplication>
#include <QScreen>

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Velko TDBPlanner & TDBTodoList drag & drop demo"));

    TFont font;
    font.SetName(QStringLiteral("MS Sans Serif"));
    font.SetHeight(-11);
    font.SetColor(clWindowText);
    setFont(font.ToQFont());

    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(clBtnFace));
    pal.setColor(QPalette::WindowText, ToQColor(font.Color()));
    setPalette(pal);
    setAutoFillBackground(true);

    // Until the frame is known the client area takes the whole outer size.
    resize(OuterWidth, OuterHeight);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        fitFrameAndCentre();
    }
}

void TForm1::fitFrameAndCentre()
{
    // The stored size is the outer one; the window manager's frame is known only once the
    // window is shown, so the client area is shrunk by it here.
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(OuterWidth - frame.width(), OuterHeight - frame.height());

    // Centred regardless of any stored position.
    if (const QScreen* screen =
            this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center().x() - OuterWidth / 2, area.center().y() - OuterHeight / 2);
    }
}
