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

void TKvControl::SetFocusField(QWidget *Field, std::initializer_list<QWidget *> Helpers)
{
    // Qt's tab order ignores a widget without a focus policy; one with a proxy is passed over
    // by Tab in favour of the proxy, which follows it in the focus chain.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(Field);
    for (QWidget *h : Helpers)
        h->setFocusPolicy(Qt::NoFocus);
    // A list's viewport hands the focus on to its list. When the form orders its controls, Qt
    // moves the control and its field in the ring but may leave such a part behind, where
    // Shift+Tab would stop at it; the field takes its own clicks without it.
    for (QWidget *part : Field->findChildren<QWidget *>())
        if (part->focusPolicy() == Qt::NoFocus && part->focusProxy())
            part->setFocusProxy(nullptr);
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
