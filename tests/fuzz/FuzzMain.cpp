// What libFuzzer calls once before the inputs: the application the targets' widgets and
// fonts need, offscreen, in the C locale.
#include <QApplication>
#include <cstdint>
#include <cstdlib>

#include "FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("LC_ALL", "C", 1);
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    // The fuzzer's own flags are no business of Qt's. The application is never destroyed: the
    // fuzzer ends by exit(), after which Qt's own statics may already be gone.
    static QApplication *app = new QApplication(argc, argv);
    Q_UNUSED(app);
    KvFuzz::UseFormats(0);
    return 0;
}
