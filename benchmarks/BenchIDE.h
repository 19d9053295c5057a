#pragma once
// What the IDE's benchmarks start from: the IDE as its tests start it (the design package
// loaded, the main window shown, a registry of its own), and big forms to work on.
#include <QString>

#include "DemoForm.h"
#include "HostFixture.h"

// The demo form grown to Total components: graphs, series, axes, vectors, legends, labels and
// edits, placed in a grid below the demo's own.
inline QString BigForm(int Total)
{
    QString text = DemoFormText().trimmed();
    text.chop(3); // the form's closing "end"
    static const char *classes[] = {"TKvGraph2D", "TKvLineSeries", "TKvAxis", "TKvDoubleVector", "TKvLegend",
                                    "TKvRichLabel", "TKvPointSeries", "TKvDoubleEdit"};
    const int existing = int(text.count(QStringLiteral("\n  object ")));
    for (int i = existing; i < Total; ++i) {
        const QString cls = QString::fromLatin1(classes[i % 8]);
        text += QStringLiteral("  object Bench%1: %2\n").arg(i).arg(cls);
        const bool visual = cls == QLatin1String("TKvGraph2D") || cls == QLatin1String("TKvRichLabel") ||
                            cls == QLatin1String("TKvDoubleEdit");
        const int x = 8 + (i % 20) * 48, y = 560 + (i / 20) * 40;
        if (visual)
            text += QStringLiteral("    Left = %1\n    Top = %2\n    Width = 44\n    Height = 36\n").arg(x).arg(y);
        else
            text += QStringLiteral("    DesignLeft = %1\n    DesignTop = %2\n").arg(x).arg(y);
        text += QStringLiteral("  end\n");
    }
    return text + QStringLiteral("end\n");
}
