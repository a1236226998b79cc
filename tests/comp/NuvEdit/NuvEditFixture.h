// The shared set-up of the typed edit tests: an edit on a parent window, keys typed through
// real key events, focus entry and leaving as the edit hears them, and the clipboard put back
// after each test.
#pragma once

#include "comp/NuvEdit/NuvEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

class NuvEditFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedClipboard = QGuiApplication::clipboard()->text();
        m_window = std::make_unique<QWidget>();
        m_window->resize(300, 200);
        edit = new TNuvEdit(m_window.get());
        edit->setGeometry(100, 50, 120, 21);
    }
    void TearDown() override
    {
        m_window.reset();
        QGuiApplication::clipboard()->setText(m_savedClipboard);
    }

    // Types text character by character as key presses.
    void type(const QString& text) { QTest::keyClicks(edit, text); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(edit, k, m); }
    void enter(Qt::FocusReason reason = Qt::TabFocusReason)
    {
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(edit, &in);
    }
    void leave()
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
    }
    void paste(const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        edit->PasteFromClipboard();
    }
    QString shown() const { return edit->QLineEdit::text(); }

    std::unique_ptr<QWidget> m_window;
    TNuvEdit* edit = nullptr; // owned by the window
    QString m_savedClipboard;
};
