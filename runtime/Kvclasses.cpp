#include "Kvclasses.h"

#include <QVBoxLayout>

TKvControl::~TKvControl()
{
    // Inner widgets are freed after this; what they signal then (an edit losing the focus)
    // must not reach the handlers of the control that is already gone.
    for (QObject *c : findChildren<QObject *>())
        c->blockSignals(true);
}

void TKvControl::SetInner(QWidget *Inner)
{
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(Inner);
}

static bool RegisterDynArray()
{
    QMetaType::registerConverter<TDoubleDynArray, QList<double>>([](const TDoubleDynArray &a) { return QList<double>(a); });
    QMetaType::registerConverter<QList<double>, TDoubleDynArray>([](const QList<double> &l) { return TDoubleDynArray(l); });
    QMetaType::registerConverter<TDoubleDynArray, QVariantList>([](const TDoubleDynArray &a) {
        QVariantList out;
        for (double d : a)
            out << d;
        return out;
    });
    return true;
}
[[maybe_unused]] static const bool DynArrayRegistered = RegisterDynArray();
