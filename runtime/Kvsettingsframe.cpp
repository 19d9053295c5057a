#include "Kvsettingsframe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "Kvcaptionedit.h"
#include "Kvcolorpicker.h"
#include "Kvfloatedit.h"
#include "Kvfontdialog.h"
#include "Kvrichlabel.h"
#include "Kvstyles.h"
#include "TypInfo.h"

namespace {
QString Tr(const char *Text) { return QCoreApplication::translate("Kvsettingsframe", Text); }

// Class of a pointer property's target, nil for other properties.
const QMetaObject *PointeeClass(const QMetaProperty &P)
{
    return P.metaType().flags() & QMetaType::PointerToQObject ? P.metaType().metaObject() : nullptr;
}

bool IsComponentClass(const QMetaObject *Cls)
{
    return Cls && (Cls->inherits(&TNonVisualComponent::staticMetaObject) || Cls->inherits(&TControl::staticMetaObject));
}

// A sample of a settings object (line, area, symbol, gradient, arrow tip) or of a font, drawn
// as the chart would draw it; a hidden one is drawn faint.
void DrawSettingsSample(QPainter &P, const QRectF &R, QObject *Settings)
{
    P.save();
    P.setRenderHint(QPainter::Antialiasing);
    const QVariant visible = Settings->property("Visible");
    if (visible.isValid() && !visible.toBool())
        P.setOpacity(0.3);
    const QPointF c = R.center();
    if (auto *font = qobject_cast<TKvFont *>(Settings)) {
        QFont f = font->ToQFont();
        f.setPixelSize(qBound(8, qRound(font->Size() * 4 / 3), qMin(15, int(R.height()))));
        P.setFont(f);
        P.setPen(font->Color().ToQColor());
        const QString text = QStringLiteral("%1 %2").arg(font->Name()).arg(double(font->Size()));
        P.drawText(R, Qt::AlignVCenter | Qt::AlignLeft, P.fontMetrics().elidedText(text, Qt::ElideRight, int(R.width())));
    } else if (auto *line = qobject_cast<TKvSimpleLineSettings *>(Settings)) {
        const auto *arrow = qobject_cast<TKvArrowSettings *>(Settings);
        const QPointF from(R.left() + 4, c.y()), to(R.right() - 4, c.y());
        if (arrow) {
            DrawArrow(P, from, to, arrow->GetPen(R), arrow->PointLength(), arrow->InnerLength(), arrow->PointHeight());
        } else {
            P.setPen(line->GetPen(R));
            P.drawLine(from, to);
        }
    } else if (auto *tip = qobject_cast<TKvAxisArrowPoint *>(Settings)) {
        DrawArrow(P, QPointF(R.left() + 4, c.y()), QPointF(R.right() - 4, c.y()), QPen(Qt::black, 1.5), tip->PointLength(),
                  tip->InnerLength(), tip->PointHeight());
    } else if (auto *symbol = qobject_cast<TKvPointSymbolSettings *>(Settings)) {
        for (int i = -1; i <= 1; ++i)
            symbol->Draw(P, QPointF(c.x() + i * R.width() / 4, c.y()));
    } else {
        // Areas and gradients: a framed box filled with them.
        const QRectF box = R.adjusted(2, 3, -2, -3);
        if (auto *area = qobject_cast<TKvAreaSettings *>(Settings))
            P.fillRect(box, area->GetBrush(box));
        else if (auto *gradient = qobject_cast<TKvGradientSettings *>(Settings))
            P.fillRect(box, gradient->GetBrush(box));
        else
            return P.restore();
        P.setPen(QColor(128, 128, 128));
        P.drawRect(box);
    }
    P.restore();
}

// The button that shows a settings object and opens its dialog.
class TSampleButton : public QPushButton {
public:
    TSampleButton(QObject *Settings, QWidget *Parent) : QPushButton(Parent), FSettings(Settings)
    {
        setMinimumHeight(22);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setToolTip(Tr("Click to change"));
    }
    QSize sizeHint() const override { return QSize(120, 22); }
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QStyleOptionButton o;
        initStyleOption(&o);
        style()->drawControl(QStyle::CE_PushButtonBevel, &o, &p, this);
        const QRectF r = QRectF(rect()).adjusted(4, 2, -22, -2);
        if (FSettings)
            DrawSettingsSample(p, r, FSettings);
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(QRectF(rect()).adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("..."));
    }
private:
    QPointer<QObject> FSettings;
};

// The runtime's own caption dialog: a rich caption edit and OK / Cancel.
bool EditCaption(TKvRichCaption &Caption, QWidget *Parent)
{
    QDialog d(Parent);
    d.setWindowTitle(Tr("Caption"));
    auto *l = new QVBoxLayout(&d);
    auto *edit = new TKvCaptionEdit(nullptr, &d);
    edit->setObjectName(QStringLiteral("CaptionEdit"));
    edit->SetCaption(Caption);
    l->addWidget(edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    l->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    d.resize(360, 160);
    if (d.exec() != QDialog::Accepted)
        return false;
    Caption = edit->GetCaption();
    return true;
}
} // namespace

QString PropertyCaption(const QString &Name)
{
    static const QRegularExpression words(QStringLiteral("[A-Z]+(?![a-z])|[A-Z]?[a-z]+|[0-9]+"));
    QStringList out;
    for (auto it = words.globalMatch(Name); it.hasNext();) {
        const QString w = it.next().captured();
        // Acronyms and single capitals (OHLC, X) keep their case.
        out << (out.isEmpty() || w.size() == 1 || w == w.toUpper() ? w : w.toLower());
    }
    QString s = out.join(QLatin1Char(' '));
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s.isEmpty() ? Name : s;
}

TKvSettingsFrame::TKvSettingsFrame(TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent)
{
    resize(300, 300);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(2, 2, 2, 2);
    FTop = new QVBoxLayout;
    l->addLayout(FTop);
    FScroll = new QScrollArea(this);
    FScroll->setWidgetResizable(true);
    FScroll->setFrameShape(QFrame::NoFrame);
    FScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->addWidget(FScroll, 1);
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

void TKvSettingsFrame::SetUndoStack(TKvUndoStack *Stack)
{
    if (FUndo)
        disconnect(FUndo, nullptr, this, nullptr);
    FUndo = Stack;
    if (Stack)
        connect(Stack, &TKvUndoStack::StackChanged, this, [this] { ReadValues(); });
}

void TKvSettingsFrame::Write(const QByteArray &Prop, const QVariant &V, QWidget *Source, bool Merge)
{
    if (FReading || !FTarget)
        return;
    const QPointer<QObject> target = FTarget;
    const QVariant old = target->property(Prop.constData());
    target->setProperty(Prop.constData(), V);
    const QVariant now = target->property(Prop.constData());
    if (FUndo && now != old)
        FUndo->Push(
            Tr("Change %1").arg(PropertyCaption(QString::fromLatin1(Prop)).toLower()),
            [target, Prop, old] { if (target) target->setProperty(Prop.constData(), old); },
            [target, Prop, now] { if (target) target->setProperty(Prop.constData(), now); },
            Merge ? QStringLiteral("%1.%2").arg(quintptr(target.data())).arg(QString::fromLatin1(Prop)) : QString());
    // A write may change other values (a slave axis's range, a caption's colour).
    ReadValues(Source);
    emit OnSettingsChange();
}

QList<QObject *> TKvSettingsFrame::ReferenceCandidates(const QMetaProperty &P) const
{
    QList<QObject *> out;
    TComponent *self = FTarget ? AsComponent(FTarget) : nullptr;
    TComponent *owner = self ? self->Owner() : nullptr;
    const QMetaObject *cls = PointeeClass(P);
    if (!owner || !cls)
        return out;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        QObject *o = owner->Components(i)->AsObject();
        if (o != FTarget && o->metaObject()->inherits(cls))
            out << o;
    }
    return out;
}

void TKvSettingsFrame::FillReferences(QWidget *Editor, const QMetaProperty &P)
{
    auto *c = static_cast<QComboBox *>(Editor);
    const QSignalBlocker block(c);
    c->clear();
    c->addItem(Tr("(none)"), QVariant::fromValue<QObject *>(nullptr));
    for (QObject *o : ReferenceCandidates(P))
        c->addItem(o->objectName(), QVariant::fromValue(o));
    QObject *current = FTarget ? P.read(FTarget).value<QObject *>() : nullptr;
    for (int i = 0; i < c->count(); ++i)
        if (c->itemData(i).value<QObject *>() == current)
            c->setCurrentIndex(i);
}

QWidget *TKvSettingsFrame::MakeSettingsRow(const QMetaProperty &P, QObject *Settings)
{
    const QByteArray name = P.name();
    auto *row = new QWidget(this);
    auto *l = new QHBoxLayout(row);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(4);
    // Settings with a Visible switch get it beside their sample.
    if (Settings->metaObject()->indexOfProperty("Visible") >= 0) {
        auto *check = new QCheckBox(row);
        check->setObjectName(QString::fromLatin1(name) + QStringLiteral("Visible"));
        check->setToolTip(Tr("Visible"));
        connect(check, &QCheckBox::toggled, this, [this, name, check](bool v) {
            if (FReading || !FTarget)
                return;
            QObject *s = FTarget->property(name.constData()).value<QObject *>();
            if (!s)
                return;
            auto change = [s, v] {
                s->setProperty("Visible", v);
                return true;
            };
            FUndo ? FUndo->PushChange({s}, Tr("Change %1").arg(PropertyCaption(QString::fromLatin1(name)).toLower()), change)
                  : change();
            ReadValues(check);
            emit OnSettingsChange();
        });
        l->addWidget(check);
        FEditors.append({check->objectName(), check});
    }
    auto *button = new TSampleButton(Settings, row);
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, [this, name] { EditInDialog(name); });
    l->addWidget(button, 1);
    FEditors.append({QString::fromLatin1(name), button});
    return row;
}

QWidget *TKvSettingsFrame::MakeEditor(const QMetaProperty &P, const QString &Caption)
{
    const QByteArray name = P.name();
    const QMetaType type = P.metaType();
    if (!P.isWritable())
        return nullptr;
    QWidget *editor = nullptr;
    if (P.isEnumType()) {
        auto *c = new QComboBox(this);
        const QMetaEnum e = P.enumerator();
        for (int i = 0; i < e.keyCount(); ++i)
            c->addItem(PropertyCaption(QString::fromLatin1(e.key(i))), e.value(i));
        connect(c, &QComboBox::activated, this, [=, this](int i) { Write(name, c->itemData(i), c); });
        editor = c;
    } else if (type.id() == QMetaType::Bool) {
        auto *c = new QCheckBox(Caption, this);
        connect(c, &QCheckBox::toggled, this, [=, this](bool v) { Write(name, v, c); });
        editor = c;
    } else if (type.id() == QMetaType::Int) {
        auto *s = new QSpinBox(this);
        s->setRange(-100000, 100000);
        connect(s, &QSpinBox::valueChanged, this, [=, this](int v) { Write(name, v, s, true); });
        editor = s;
    } else if (type.id() == QMetaType::Double || type.id() == QMetaType::Float) {
        auto *d = new TKvDoubleEdit(nullptr, this);
        connect(d, &TKvDoubleEdit::OnValueChanged, this, [=, this] {
            Write(name, type.id() == QMetaType::Float ? QVariant(float(d->Value())) : QVariant(d->Value()), d);
        });
        editor = d;
    } else if (type == QMetaType::fromType<TKvColor>()) {
        auto *c = new TKvColorPickCombo(nullptr, this);
        c->setMinimumWidth(130);
        connect(c, &TKvColorPickCombo::OnValueChanged, this, [=, this] { Write(name, QVariant::fromValue(c->ActiveColor()), c); });
        editor = c;
    } else if (type.id() == QMetaType::QString || type == QMetaType::fromType<TKvRichCaption>()) {
        const bool rich = type == QMetaType::fromType<TKvRichCaption>();
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        connect(e, &QLineEdit::textEdited, this, [=, this](const QString &t) {
            Write(name, rich ? QVariant::fromValue(TKvRichCaption(t)) : QVariant(t), e, true);
        });
        FEditors.append({QString::fromLatin1(name), e});
        if (!rich)
            return e;
        // A caption may carry fonts and variables: the dialog edits those.
        auto *row = new QWidget(this);
        auto *l = new QHBoxLayout(row);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(2);
        l->addWidget(e, 1);
        auto *more = new QToolButton(row);
        more->setObjectName(QString::fromLatin1(name) + QStringLiteral("Button"));
        more->setText(QStringLiteral("..."));
        more->setToolTip(Tr("Edit the caption with fonts and variables"));
        connect(more, &QToolButton::clicked, this, [this, name] { EditInDialog(name); });
        l->addWidget(more);
        FEditors.append({more->objectName(), more});
        return row;
    } else if (const QMetaObject *cls = PointeeClass(P)) {
        if (IsComponentClass(cls)) {
            auto *c = new QComboBox(this);
            c->setObjectName(QString::fromLatin1(name));
            FEditors.append({QString::fromLatin1(name), c});
            connect(c, &QComboBox::activated, this, [=, this](int i) {
                QVariant v = c->itemData(i);
                v.convert(type);
                if (!c->itemData(i).value<QObject *>())
                    v = QVariant(type, nullptr);
                Write(name, v, c);
            });
            return c;
        }
        if (QObject *settings = P.read(FTarget).value<QObject *>(); settings && cls->inherits(&TKvSettings::staticMetaObject))
            return MakeSettingsRow(P, settings);
        return nullptr;
    }
    if (editor) {
        editor->setObjectName(QString::fromLatin1(name));
        FEditors.append({QString::fromLatin1(name), editor});
    }
    return editor;
}

void TKvSettingsFrame::EditInDialog(const QByteArray &Prop)
{
    RunGuarded(this, [&] {
        if (!FTarget)
            return;
        const QPointer<QObject> target = FTarget;
        QObject *sub = target->property(Prop.constData()).value<QObject *>();
        const QString what = Tr("Change %1").arg(PropertyCaption(QString::fromLatin1(Prop)).toLower());
        auto edit = [&] { return EditPropertyDialog(target, Prop, this); };
        // Objects are recorded by their values, plain values by themselves.
        const bool changed = FUndo ? FUndo->PushChange({sub ? sub : target.data()}, what, edit) : edit();
        if (changed && target == FTarget) {
            ReadValues();
            emit OnSettingsChange();
        }
    });
}

void TKvSettingsFrame::ReadValues(QWidget *Except)
{
    if (!FTarget)
        return;
    FReading = true;
    PrepareEditors();
    const QMetaObject *mo = FTarget->metaObject();
    for (const auto &[name, w] : FEditors) {
        if (w == Except)
            continue;
        const int index = mo->indexOfProperty(name.toLatin1().constData());
        if (index < 0) {
            // A settings object's Visible switch.
            if (auto *b = qobject_cast<QCheckBox *>(w); b && name.endsWith(QLatin1String("Visible")))
                if (QObject *s = FTarget->property(name.chopped(7).toLatin1().constData()).value<QObject *>())
                    b->setChecked(s->property("Visible").toBool());
            continue;
        }
        const QMetaProperty p = mo->property(index);
        const QVariant v = p.read(FTarget);
        if (auto *c = qobject_cast<QComboBox *>(w)) {
            if (PointeeClass(p))
                FillReferences(c, p);
            else
                c->setCurrentIndex(c->findData(v.toInt()));
        } else if (auto *b = qobject_cast<QCheckBox *>(w)) {
            b->setChecked(v.toBool());
        } else if (auto *s = qobject_cast<QSpinBox *>(w)) {
            s->setValue(v.toInt());
        } else if (auto *d = qobject_cast<TKvDoubleEdit *>(w)) {
            d->SetValue(v.toDouble());
        } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
            const QString text = v.metaType() == QMetaType::fromType<TKvRichCaption>() ? v.value<TKvRichCaption>().ToPlainText() : v.toString();
            if (e->text() != text)
                e->setText(text);
        } else if (auto *k = qobject_cast<TKvColorPickCombo *>(w)) {
            k->SetActiveColor(v.value<TKvColor>());
        } else {
            w->update();
        }
    }
    FReading = false;
}

void TKvSettingsFrame::SetExtraProperties(const QStringList &Props)
{
    if (Props == FExtra && FBuilt)
        return;
    FExtra = Props;
    Rebuild();
}

void TKvSettingsFrame::Build()
{
    FEditors.clear();
    delete FBody;
    FBody = new QWidget;
    auto *body = new QVBoxLayout(FBody);
    body->setContentsMargins(2, 2, 2, 2);
    body->setSpacing(6);
    FScroll->setWidget(FBody);
    if (!FTarget)
        return;
    QFormLayout *form = nullptr;
    auto group = [&](const QString &Title) {
        QWidget *box = Title.isEmpty() ? new QWidget(FBody) : new QGroupBox(Title, FBody);
        box->setObjectName(Title.isEmpty() ? QString() : Title + QStringLiteral("Group"));
        form = new QFormLayout(box);
        form->setContentsMargins(6, Title.isEmpty() ? 0 : 4, 6, 4);
        form->setVerticalSpacing(4);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        body->addWidget(box);
    };
    QStringList entries = EditedProperties();
    if (!FExtra.isEmpty()) {
        if (!FExtra.first().startsWith(QLatin1Char('#')))
            entries << QStringLiteral("#") + Tr("More");
        entries << FExtra;
    }
    const QMetaObject *mo = FTarget->metaObject();
    for (const QString &entry : entries) {
        if (entry.startsWith(QLatin1Char('#'))) {
            group(entry.mid(1));
            continue;
        }
        if (entry.startsWith(QLatin1Char('!'))) {
            if (QWidget *w = MakeCustomRow(entry.mid(1))) {
                if (!form)
                    group({});
                w->setParent(FBody);
                form->addRow(QString(), w);
            }
            continue;
        }
        const int eq = entry.indexOf(QLatin1Char('='));
        const QStringList props = (eq >= 0 ? entry.mid(eq + 1) : entry).split(QLatin1Char('+'));
        const QString label = eq >= 0 ? entry.left(eq) : PropertyCaption(entry);
        QList<QWidget *> editors;
        bool onlyChecks = true;
        for (const QString &prop : props) {
            const int i = mo->indexOfProperty(prop.toLatin1().constData());
            if (i < 0)
                continue;
            const QMetaProperty p = mo->property(i);
            const QString caption = props.size() == 1 ? label : PropertyCaption(prop);
            if (QWidget *w = MakeEditor(p, caption)) {
                editors << w;
                onlyChecks = onlyChecks && qobject_cast<QCheckBox *>(w);
            }
        }
        if (editors.isEmpty())
            continue;
        if (!form)
            group({});
        QWidget *field = editors.first();
        if (editors.size() > 1) {
            field = new QWidget(FBody);
            auto *row = new QHBoxLayout(field);
            row->setContentsMargins(0, 0, 0, 0);
            for (QWidget *w : editors)
                row->addWidget(w, 1);
        }
        // Check boxes carry their own text.
        form->addRow(onlyChecks ? QString() : label, field);
    }
    body->addStretch();
}

void TKvSettingsFrame::Rebuild()
{
    FBuilt = false;
    Changed();
}

void TKvSettingsFrame::Changed()
{
    QObject *target = EditedObject();
    if (target != FTarget || !FBuilt) {
        FBuilt = true;
        FTarget = target;
        Build();
    }
    ReadValues();
}

TKvObjectSettingsFrame::TKvObjectSettingsFrame(TComponent *AOwner, QWidget *AParent) : TKvSettingsFrame(AOwner, AParent) {}

void TKvObjectSettingsFrame::SetObject(QObject *O)
{
    FObject = O;
    Changed();
}

QStringList TKvObjectSettingsFrame::EditedProperties() const
{
    QStringList out;
    if (FObject) {
        const QMetaObject *mo = FObject->metaObject();
        for (int i = PublishedPropertyOffset(mo); i < mo->propertyCount(); ++i)
            out << QString::fromLatin1(mo->property(i).name());
    }
    return out;
}

// ---------------------------------------------------------------------------------------

TKvSettingsDialog::TKvSettingsDialog(QWidget *Parent) : QDialog(Parent)
{
    auto *l = new QVBoxLayout(this);
    auto *pages = new QTabWidget(this);
    l->addWidget(pages);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    l->addWidget(buttons);
    BindControls(pages, buttons->button(QDialogButtonBox::Ok), buttons->button(QDialogButtonBox::Cancel),
                 buttons->button(QDialogButtonBox::Apply));
}

TKvSettingsDialog::TKvSettingsDialog(QWidget *Parent, TOwnLayout) : QDialog(Parent) {}

void TKvSettingsDialog::BindControls(QTabWidget *Pages, QAbstractButton *OK, QAbstractButton *Cancel, QAbstractButton *ApplyButton)
{
    FPages = Pages;
    FApply = ApplyButton;
    if (FApply) {
        FApply->setVisible(false);
        connect(FApply, &QAbstractButton::clicked, this, &TKvSettingsDialog::Apply);
    }
    connect(OK, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QAbstractButton::clicked, this, &TKvSettingsDialog::reject);
}

void TKvSettingsDialog::AddPage(const QString &Title, QWidget *Page) { FPages->addTab(Page, Title); }

void TKvSettingsDialog::SetEditedObjects(const QList<QObject *> &Objects)
{
    FObjects = Objects;
    FSnapshot.Take(Objects);
}

void TKvSettingsDialog::SetShowApply(bool Show)
{
    if (FApply)
        FApply->setVisible(Show);
}

void TKvSettingsDialog::Apply() { FSnapshot.Take(FObjects); }

void TKvSettingsDialog::reject()
{
    FSnapshot.Restore();
    QDialog::reject();
}

int TKvSettingsDialog::ShowModal()
{
    FFailure = nullptr;
    const int result = exec();
    if (std::exception_ptr e = std::exchange(FFailure, nullptr))
        std::rethrow_exception(e);
    return result;
}

void TKvSettingsDialog::Fail(std::exception_ptr E)
{
    if (!FFailure)
        FFailure = E;
    reject();
}

void TKvSettingsDialog::RegisterSettingsEditor(QMetaType Type, TKvSettingsEditorProc Proc)
{
    FEditors.removeIf([Type](const auto &e) { return e.first == Type; });
    if (Proc)
        FEditors.append({Type, std::move(Proc)});
}

TKvSettingsEditorProc TKvSettingsDialog::SettingsEditor(QMetaType Type) const
{
    for (const auto &[type, proc] : FEditors)
        if (type == Type)
            return proc;
    return {};
}

void FailIn(QWidget *Where, std::exception_ptr E)
{
    for (QWidget *w = Where; w; w = w->parentWidget())
        if (auto *d = qobject_cast<TKvSettingsDialog *>(w)) {
            d->Fail(E);
            return;
        }
    qWarning("%s", qPrintable(ExceptionMessage(E)));
}

bool EditPropertyDialog(QObject *Instance, const QByteArray &Prop, QWidget *Where)
{
    const int index = Instance ? Instance->metaObject()->indexOfProperty(Prop.constData()) : -1;
    if (index < 0)
        return false;
    const QMetaProperty p = Instance->metaObject()->property(index);
    QWidget *window = Where ? Where->window() : nullptr;
    for (QWidget *w = Where; w; w = w->parentWidget())
        if (auto *d = qobject_cast<TKvSettingsDialog *>(w)) {
            if (TKvSettingsEditorProc proc = d->SettingsEditor(p.metaType()))
                if (const std::optional<bool> changed = proc(Instance, Prop, d))
                    return *changed;
            break;
        }
    if (p.metaType() == QMetaType::fromType<TKvRichCaption>()) {
        TKvRichCaption caption = p.read(Instance).value<TKvRichCaption>();
        if (!EditCaption(caption, window))
            return false;
        p.write(Instance, QVariant::fromValue(caption));
        return true;
    }
    QObject *sub = p.read(Instance).value<QObject *>();
    if (auto *font = qobject_cast<TKvFont *>(sub)) {
        TKvFontDialog d;
        d.SetFont(font);
        if (!d.Execute(window))
            return false;
        font->Assign(d.GetFont());
        return true;
    }
    if (!sub)
        return false;
    TKvSettingsDialog d(window);
    d.setWindowTitle(PropertyCaption(QString::fromLatin1(Prop)));
    auto *frame = new TKvObjectSettingsFrame;
    frame->SetObject(sub);
    d.AddPage(PropertyCaption(QString::fromLatin1(Prop)), frame);
    d.SetEditedObjects({sub});
    d.resize(340, 380);
    return d.ShowModal() == QDialog::Accepted;
}
