// One libFuzzer target: DESKHIVE_FUZZ_ENTRY names the entry function (FuzzEntries.h) the
// generated inputs go to. The markup entry draws text, so a QApplication on the offscreen
// platform with the classic colours and fixed locale settings lives for the whole run.
#include "fuzz/FuzzEntries.h"
#include "platform/core/Color.h"
#include "platform/core/FormatSettings.h"

#include <QApplication>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qputenv("QT_FONT_DPI", "96");
    // Never destroyed: libFuzzer ends the process with exit(), and tearing the application
    // down from an exit handler crashes inside Qt's post routines.
    static QApplication* app = new QApplication(*argc, *argv);
    Q_UNUSED(app);
    TSystemColors::LoadClassic();
    FormatSettings() = TFormatSettings::Fixed();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    DESKHIVE_FUZZ_ENTRY(data, size);
    return 0;
}
