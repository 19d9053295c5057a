#include "Kvsettingsframe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMetaProperty>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Kvcolorpicker.h"
#include "Kvrichlabel.h"

TKvSettingsFrame::TKvSettingsFrame(TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent)
{
    resize(260, 240);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    FTop = new QVBoxLayout;
    l->addLayout(FTop);
    FForm = new QFormLayout;
    l->addLayout(FForm);
    l->addStretch();
}

QWidget *TKvSettingsFrame::EditorFor(const QString &Prop) const
{
    for (const auto &[name, w] : FEditors)
        if (name.compare(Prop, Qt::CaseInsensitive) == 0)
            return w;
    return nullptr;
}

QStringList TKvSettingsFrame::EditorNames() const
{
    QStringList out;
    for (const auto &e : FEditors)
        out << e.first;
    return out;
}

void TKvSettingsFrame::Write(const char *Prop, const QVariant &V)
{
    if (FReading || !FTarget)
        return;
    FTarget->setProperty(Prop, V);
    emit OnSettingsChange();
}

QWidget *TKvSettingsFrame::MakeEditor(QObject *Target, const QMetaProperty &P)
{
    const char *name = P.name();
    const int type = P.metaType().id();
    if (P.isEnumType()) {
        auto *c = new QComboBox(this);
        const QMetaEnum e = P.enumerator();
        for (int i = 0; i < e.keyCount(); ++i)
            c->addItem(QString::fromLatin1(e.key(i)), e.value(i));
        connect(c, &QComboBox::activated, this, [=, this](int i) { Write(name, c->itemData(i)); });
        return c;
    }
    if (type == QMetaType::Bool) {
        auto *c = new QCheckBox(this);
        connect(c, &QCheckBox::toggled, this, [=, this](bool v) { Write(name, v); });
        return c;
    }
    if (type == QMetaType::Int) {
        auto *s = new QSpinBox(this);
        s->setRange(-100000, 100000);
        connect(s, &QSpinBox::valueChanged, this, [=, this](int v) { Write(name, v); });
        return s;
    }
    if (type == QMetaType::Double || type == QMetaType::Float) {
        auto *s = new QDoubleSpinBox(this);
        s->setRange(-1e12, 1e12);
        s->setDecimals(3);
        connect(s, &QDoubleSpinBox::valueChanged, this, [=, this](double v) { Write(name, v); });
        return s;
    }
    if (P.metaType() == QMetaType::fromType<TKvColor>()) {
        auto *c = new TKvColorPickCombo(nullptr, this);
        connect(c, &TKvColorPickCombo::OnValueChanged, this, [=, this] { Write(name, QVariant::fromValue(c->ActiveColor())); });
        return c;
    }
    if (type == QMetaType::QString || P.metaType() == QMetaType::fromType<TKvRichCaption>()) {
        auto *e = new QLineEdit(this);
        connect(e, &QLineEdit::textEdited, this, [=, this](const QString &t) {
            Write(name, P.metaType() == QMetaType::fromType<TKvRichCaption>() ? QVariant::fromValue(TKvRichCaption(t)) : QVariant(t));
        });
        return e;
    }
    Q_UNUSED(Target);
    return nullptr;
}

void TKvSettingsFrame::ReadValues()
{
    if (!FTarget)
        return;
    FReading = true;
    for (const auto &[name, w] : FEditors) {
        const QVariant v = FTarget->property(name.toLatin1().constData());
        if (auto *c = qobject_cast<QComboBox *>(w))
            c->setCurrentIndex(c->findData(v.toInt()));
        else if (auto *b = qobject_cast<QCheckBox *>(w))
            b->setChecked(v.toBool());
        else if (auto *s = qobject_cast<QSpinBox *>(w))
            s->setValue(v.toInt());
        else if (auto *d = qobject_cast<QDoubleSpinBox *>(w))
            d->setValue(v.toDouble());
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            e->setText(v.metaType() == QMetaType::fromType<TKvRichCaption>() ? v.value<TKvRichCaption>().Text : v.toString());
        else if (auto *k = qobject_cast<TKvColorPickCombo *>(w))
            k->SetActiveColor(v.value<TKvColor>());
    }
    FReading = false;
}

void TKvSettingsFrame::SetExtraProperties(const QStringList &Props)
{
    FExtra = Props;
    FBuilt = false;
    Changed();
}

void TKvSettingsFrame::Changed()
{
    QObject *target = EditedObject();
    if (target != FTarget || !FBuilt) {
        FBuilt = true;
        while (FForm->rowCount() > 0)
            FForm->removeRow(0);
        FEditors.clear();
        FTarget = target;
        if (target)
            for (const QString &prop : EditedProperties() + FExtra) {
                const int i = target->metaObject()->indexOfProperty(prop.toLatin1().constData());
                if (i < 0)
                    continue;
                if (QWidget *w = MakeEditor(target, target->metaObject()->property(i))) {
                    w->setObjectName(prop);
                    FForm->addRow(prop, w);
                    FEditors.append({prop, w});
                }
            }
    }
    ReadValues();
}

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>

#include "TypInfo.h"

void TKvValueSnapshot::Add(QObject *O)
{
    QList<QPair<QByteArray, QVariant>> values;
    const QMetaObject *mo = O->metaObject();
    for (int i = PublishedPropertyOffset(mo); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (!p.isWritable() || !p.isStored())
            continue;
        if (p.metaType().flags() & QMetaType::PointerToQObject) {
            // Owned sub-objects (settings, lists) are taken whole; references are kept as they are.
            QObject *sub = p.read(O).value<QObject *>();
            if (sub && sub->parent() == O && !AsComponent(sub))
                Add(sub);
            else
                values.append({p.name(), p.read(O)});
            continue;
        }
        values.append({p.name(), p.read(O)});
    }
    FValues.append({O, values});
}

void TKvValueSnapshot::Take(const QList<QObject *> &Objects)
{
    FValues.clear();
    for (QObject *o : Objects)
        if (o)
            Add(o);
}

void TKvValueSnapshot::Restore() const
{
    for (const auto &[obj, values] : FValues)
        if (obj)
            for (const auto &[name, value] : values)
                obj->setProperty(name.constData(), value);
}

TKvSettingsDialog::TKvSettingsDialog(QWidget *Parent) : QDialog(Parent)
{
    auto *l = new QVBoxLayout(this);
    FPages = new QTabWidget(this);
    l->addWidget(FPages);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    FApply = buttons->button(QDialogButtonBox::Apply);
    FApply->setVisible(false);
    l->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TKvSettingsDialog::reject);
    connect(FApply, &QPushButton::clicked, this, &TKvSettingsDialog::Apply);
}

void TKvSettingsDialog::AddPage(const QString &Title, QWidget *Page) { FPages->addTab(Page, Title); }

void TKvSettingsDialog::SetEditedObjects(const QList<QObject *> &Objects)
{
    FObjects = Objects;
    FSnapshot.Take(Objects);
}

void TKvSettingsDialog::SetShowApply(bool Show) { FApply->setVisible(Show); }
void TKvSettingsDialog::Apply() { FSnapshot.Take(FObjects); }

void TKvSettingsDialog::reject()
{
    FSnapshot.Restore();
    QDialog::reject();
}
