// Random key sequences, pastes and value writes for every edit type, from a fixed seed: the
// value must always suit its type (and its precision and length limit), the prefix and suffix
// must stay in place, and nothing may crash.
#include "NuvEditFixture.h"
#include "comp/NuvEdit/ValueText.h"

#include <random>

namespace {

using ET = TNuvEditType;

// A sign in an unsigned edit can only come from the program writing a value (wrote).
bool suitsType(const TNuvEdit& e, const QString& v, bool wrote)
{
    const TFormatSettings& fs = FormatSettings();
    if (v.isEmpty() || v == QStringLiteral("-"))
        return true;
    const TValueKind kind = ClassifyValue(v, fs);
    const bool number = kind == TValueKind::vkInteger || kind == TValueKind::vkDecimal;
    switch (e.EditType()) {
    case ET::etNumeric:
        return kind == TValueKind::vkInteger;
    case ET::etFloat:
    case ET::etMoney: {
        if (!number)
            return false;
        const qsizetype dec = v.indexOf(fs.DecimalSeparator);
        if (e.Precision() > 0 && dec >= 0 && v.size() - dec - 1 > e.Precision())
            return false;
        if (!wrote && e.EditType() == ET::etFloat && e.Precision() == 0 && dec >= 0)
            return false;
        return wrote || e.Signed() || !v.contains(u'-');
    }
    case ET::etHex:
        return kind == TValueKind::vkInteger || kind == TValueKind::vkHex;
    case ET::etRange:
        for (QChar c : v)
            if (!c.isDigit() && c != u',' && c != u'-' && c != u';')
                return false;
        return true;
    case ET::etAlphaNumeric:
        for (QChar c : v)
            if (!(c.isDigit() || (c.toLatin1() >= 'A' && c.toLatin1() <= 'Z') ||
                  (c.toLatin1() >= 'a' && c.toLatin1() <= 'z')))
                return false;
        return true;
    case ET::etValidChars:
        for (QChar c : v)
            if (!e.ValidChars().contains(c))
                return false;
        return true;
    case ET::etUppercase:
        return v == v.toUpper();
    case ET::etLowerCase:
        return v == v.toLower();
    default:
        return true;
    }
}

class NuvEditFuzz : public NuvEditFixture
{};

TEST_F(NuvEditFuzz, RandomInputKeepsValuesOfTheirType)
{
    std::mt19937 rng(20261210);
    const QString alphabet = QStringLiteral("0123456789abcdefxyzABCDEFXYZ.,-;$ '\b");
    const Qt::Key keys[] = {Qt::Key_Left,   Qt::Key_Right,     Qt::Key_Home,   Qt::Key_End,
                            Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Escape, Qt::Key_Return};
    const Qt::Key ctrlKeys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_K, Qt::Key_U,
                                Qt::Key_Z,         Qt::Key_Y,      Qt::Key_A, Qt::Key_H};
    const char* clips[] = {"12",  "-3.5", "1,234.56", "abc", "ff",
                           "1-2", "a\nb", "",         "--",  "9999999999999999999999",
                           "1e5", " 7 "};
    for (int type = 0; type <= int(ET::etValidChars); ++type) {
        for (int round = 0; round < 12; ++round) {
            auto* e = new TNuvEdit(m_window.get());
            e->SetEditType(ET(type));
            e->SetPrecision(int(rng() % 4) - 1);
            e->SetSigned(rng() % 2);
            e->SetValidChars(QStringLiteral("xyz12"));
            const QString prefix = rng() % 2 ? QStringLiteral("$") : QString();
            const QString suffix = rng() % 3 == 0 ? QStringLiteral(" kg") : QString();
            e->SetPrefix(prefix);
            e->SetSuffix(suffix);
            if (rng() % 3 == 0)
                e->SetLengthLimit(int(rng() % 5) + 1);
            e->SetText(QString());
            const int limit = e->LengthLimit();
            // Written values obey neither the length limit nor the character rules of the
            // types other than numbers: from the first write on those checks are off.
            bool wrote = false;
            for (int step = 0; step < 150; ++step) {
                const unsigned what = rng() % 10;
                if (what < 6) {
                    QTest::keyClick(e, alphabet[int(rng() % alphabet.size())].toLatin1());
                } else if (what < 8) {
                    const Qt::KeyboardModifiers mods =
                        rng() % 4 == 0 ? Qt::ShiftModifier : Qt::NoModifier;
                    if (rng() % 5 == 0)
                        // The platform's own editing keys: word deletion, line deletion,
                        // undo and redo.
                        QTest::keyClick(e, ctrlKeys[rng() % std::size(ctrlKeys)],
                                        Qt::ControlModifier);
                    else
                        QTest::keyClick(e, keys[rng() % std::size(keys)], mods);
                } else if (what == 8) {
                    if (rng() % 2)
                        e->setSelection(int(rng() % 8), int(rng() % 5) - 2);
                    QGuiApplication::clipboard()->setText(
                        QString::fromUtf8(clips[rng() % std::size(clips)]));
                    e->PasteFromClipboard();
                } else {
                    switch (rng() % 4) {
                    case 0:
                        e->SetText(QString::fromUtf8(clips[rng() % std::size(clips)]));
                        wrote = true;
                        break;
                    case 1:
                        e->SetFloatValue(double(int(rng() % 200000) - 100000) / 7.0);
                        wrote = true;
                        break;
                    case 2:
                        e->CutToClipboard();
                        break;
                    default:
                        e->setCursorPosition(int(rng() % 12));
                        break;
                    }
                }
                const QString shownText = e->QLineEdit::text();
                const QString v = e->Text();
                SCOPED_TRACE("type " + std::to_string(type) + " text '" + shownText.toStdString() +
                             "' step " + std::to_string(step));
                ASSERT_TRUE(shownText.startsWith(prefix));
                ASSERT_TRUE(shownText.endsWith(suffix));
                if (!wrote && limit > 0) {
                    ASSERT_LE(IntegerPartLength(v, FormatSettings()), limit) << "length limit";
                }
                // Writing checks only the number types; the others keep what the program wrote.
                const bool checkedOnWrite = type == int(ET::etNumeric) ||
                                            type == int(ET::etFloat) || type == int(ET::etMoney) ||
                                            type == int(ET::etHex);
                if (!wrote || checkedOnWrite) {
                    ASSERT_TRUE(suitsType(*e, v, wrote)) << "value '" << v.toStdString() << "'";
                }
            }
            delete e;
        }
    }
}

} // namespace
