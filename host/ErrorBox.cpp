#include "ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "ModalWait.h"

TErrorBox &TErrorBox::Instance()
{
    static TErrorBox box;
    return box;
}

bool TErrorBox::Headless()
{
    return Instance().FHeadless || QGuiApplication::platformName() == QLatin1String("offscreen");
}

void TErrorBox::SetHeadless(bool Value) { Instance().FHeadless = Value; }

void TErrorBox::Show(QWidget *Parent, const QString &Message, const QString &Title, TKind Kind, const QString &Details)
{
    emit Instance().shown(Message);
    if (Headless() && !TModalWatch::Armed()) {
        std::fprintf(stderr, "%s: %s: %s\n", qPrintable(QApplication::applicationName()),
                     Kind == TKind::Error ? "error" : "warning", qPrintable(Message));
        for (const QString &line : Details.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            std::fprintf(stderr, "    %s\n", qPrintable(line));
        return;
    }
    QMessageBox box(Kind == TKind::Error ? QMessageBox::Critical : QMessageBox::Warning,
                    Title.isEmpty() ? QApplication::applicationName() : Title, Message, QMessageBox::Ok,
                    Parent ? Parent->window() : nullptr);
    box.setObjectName(QStringLiteral("ErrorBox"));
    if (!Details.isEmpty())
        box.setDetailedText(Details);
    box.exec();
}
