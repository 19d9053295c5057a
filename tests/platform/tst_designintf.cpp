// The design interface: which editor a property gets, editors over a selection, the
// standard editors' texts and errors, component ownership, the registry stand-in.
#include <QDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "DesignEditors.h"
#include "DesignRegistry.h"
#include "ModalWait.h"
#include "Registry.h"

class TTestSettings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Width MEMBER FWidth)
    Q_PROPERTY(QString Caption MEMBER FCaption)
public:
    using TPersistent::TPersistent;
    int FWidth = 1;
    QString FCaption;
};

class TTestBase : public TNonVisualComponent {
    Q_OBJECT
public:
    enum TMode { mdFirst, mdSecond, mdAlpha };
    Q_ENUM(TMode)
private:
    Q_PROPERTY(double Start MEMBER FStart)
    Q_PROPERTY(int Count MEMBER FCount)
    Q_PROPERTY(TMode Mode MEMBER FMode)
    Q_PROPERTY(TTestBase *Ref READ Ref WRITE SetRef)
    Q_PROPERTY(TTestSettings *Settings READ Settings)
public:
    explicit TTestBase(TComponent *AOwner = nullptr) : TNonVisualComponent(AOwner), FSettings(new TTestSettings(this)) {}
    TTestBase *Ref() const { return FRef; }
    void SetRef(TTestBase *v)
    {
        if (FRef)
            RemoveFreeNotification(FRef);
        FRef = v;
        if (v)
            FreeNotification(v);
    }
    TTestSettings *Settings() const { return FSettings; }
    void Notification(TComponent *c, bool removing) override
    {
        if (removing && c == FRef)
            FRef = nullptr;
    }
    double FStart = 0;
    int FCount = 0;
    TMode FMode = mdFirst;
    TTestBase *FRef = nullptr;
    TTestSettings *FSettings;
};

class TTestDerived : public TTestBase {
    Q_OBJECT
    Q_PROPERTY(double Extra MEMBER FExtra)
public:
    using TTestBase::TTestBase;
    double FExtra = 0;
};

class TTestOther : public TNonVisualComponent {
    Q_OBJECT
    Q_PROPERTY(double Start MEMBER FStart)
    Q_PROPERTY(int Count MEMBER FCount)
public:
    using TNonVisualComponent::TNonVisualComponent;
    double FStart = 0;
    int FCount = 0;
};

// Distinct editor classes so that the chosen row can be told by the editor's class name.
class EdAny : public TFloatProperty { using TFloatProperty::TFloatProperty; };
class EdClass : public TFloatProperty { using TFloatProperty::TFloatProperty; };
class EdName : public TFloatProperty { using TFloatProperty::TFloatProperty; };
class EdClassName : public TFloatProperty { using TFloatProperty::TFloatProperty; };
class EdDerived : public TFloatProperty { using TFloatProperty::TFloatProperty; };
class EdRef : public TComponentProperty { using TComponentProperty::TComponentProperty; };
class EdSingle : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
    TPropertyAttributes GetAttributes() override { return {paRevertable}; }
};

class TTestDesigner : public IDesigner {
public:
    TTestBase Root;
    int ModifiedCount = 0;
    void Modified() override { ++ModifiedCount; }
    TComponent *CreateComponent(TComponentClass, TComponent *, int, int, int, int) override { return nullptr; }
    TComponent *GetRoot() override { return &Root; }
    void GetComponentNames(TComponentClass cls, const TGetStrProc &proc) override
    {
        for (int i = 0; i < Root.ComponentCount(); ++i)
            if (Root.Components(i)->InheritsFrom(cls))
                proc(Root.Components(i)->Name());
    }
    TComponent *GetComponent(const QString &name) override { return Root.FindComponent(name); }
    QString GetComponentName(TComponent *c) override { return c ? c->Name() : QString(); }
    QList<TComponent *> GetSelections() override { return {}; }
    void SelectComponent(TComponent *) override {}
};

class TstDesignIntf : public QObject {
    Q_OBJECT
private:
    static QString editorFor(TClass cls, const char *prop)
    {
        return GetEditorClass(GetPropInfo(cls, QString::fromLatin1(prop)), cls).Name;
    }
    static std::unique_ptr<TPropertyEditor> editorOf(const QList<QObject *> &sel, IDesigner *d, const QString &name)
    {
        for (auto &e : GetComponentProperties(sel, d))
            if (e->GetName() == name)
                return std::move(e);
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        // Numbers are typed here as in the C locale; the users' locales are the business of
        // tst_datenumbertexts, which runs in each.
        FormatSettings() = LocaleFormatSettings(QLocale::c());
    }
    void cleanup() { TDesignRegistry::Instance().Clear(); }

    void editorChoice_data()
    {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<QString>("prop");
        QTest::addColumn<QString>("editor");
        // A name row beats a plain type row when no class row matches.
        QTest::newRow("other.Start") << "TTestOther" << "Start" << "EdName";
        // Class and name together beat class alone and name alone.
        QTest::newRow("base.Start") << "TTestBase" << "Start" << "EdClassName";
        QTest::newRow("derived.Start") << "TTestDerived" << "Start" << "EdClassName";
        // Between two class rows without a name, the nearer class wins.
        QTest::newRow("derived.Extra") << "TTestDerived" << "Extra" << "EdDerived";
        // A class row never applies outside its class.
        QTest::newRow("other.Count (int)") << "TTestOther" << "Count" << "TIntegerProperty";
        // A reference to a subclass matches a row registered for the base class type.
        QTest::newRow("base.Ref") << "TTestBase" << "Ref" << "EdRef";
    }
    void editorChoice()
    {
        QFETCH(QString, cls);
        QFETCH(QString, prop);
        QFETCH(QString, editor);
        RegisterPropertyEditor(TypeInfo<double>(), nullptr, QString(), PropertyEditorClass<EdAny>());
        RegisterPropertyEditor(TypeInfo<double>(), &TTestBase::staticMetaObject, QString(), PropertyEditorClass<EdClass>());
        RegisterPropertyEditor(TypeInfo<double>(), nullptr, "Start", PropertyEditorClass<EdName>());
        RegisterPropertyEditor(TypeInfo<double>(), &TTestBase::staticMetaObject, "Start", PropertyEditorClass<EdClassName>());
        RegisterPropertyEditor(TypeInfo<double>(), &TTestDerived::staticMetaObject, QString(), PropertyEditorClass<EdDerived>());
        RegisterPropertyEditor(TypeInfo<TNonVisualComponent>(), nullptr, QString(), PropertyEditorClass<EdRef>());
        const QMap<QString, TClass> classes{{"TTestBase", &TTestBase::staticMetaObject},
                                            {"TTestDerived", &TTestDerived::staticMetaObject},
                                            {"TTestOther", &TTestOther::staticMetaObject}};
        QCOMPARE(editorFor(classes[cls], prop.toLatin1()), editor);
    }

    void standardEditorsWithoutRows()
    {
        QCOMPARE(editorFor(&TTestBase::staticMetaObject, "Start"), QString("TFloatProperty"));
        QCOMPARE(editorFor(&TTestBase::staticMetaObject, "Mode"), QString("TEnumProperty"));
        QCOMPARE(editorFor(&TTestBase::staticMetaObject, "Ref"), QString("TComponentProperty"));
        QCOMPARE(editorFor(&TTestBase::staticMetaObject, "Settings"), QString("TClassProperty"));
        QCOMPARE(editorFor(&TTestBase::staticMetaObject, "Name"), QString("TComponentNameProperty"));
    }

    void unloadingAPackageDropsOnlyItsRows()
    {
        auto &reg = TDesignRegistry::Instance();
        reg.SetCurrentPackage("P1");
        RegisterComponents("Page", {&TTestBase::staticMetaObject});
        RegisterPropertyEditor(TypeInfo<double>(), nullptr, QString(), PropertyEditorClass<EdAny>());
        RegisterPropertiesInCategory("Cat", {"Start"});
        reg.SetCurrentPackage("P2");
        RegisterComponents("Page", {&TTestOther::staticMetaObject});
        RegisterPropertyEditor(TypeInfo<double>(), nullptr, "Start", PropertyEditorClass<EdName>());
        reg.UnregisterPackage("P1");
        QCOMPARE(reg.PageClasses("Page"), QList<TComponentClass>{&TTestOther::staticMetaObject});
        QCOMPARE(reg.PropertyEditorRows().size(), 1);
        QCOMPARE(reg.PropertyEditorRows().first().Package, QString("P2"));
        QVERIFY(reg.CategoryRows().isEmpty());
        QCOMPARE(editorFor(&TTestOther::staticMetaObject, "Start"), QString("EdName"));
    }

    void categories()
    {
        RegisterPropertiesInCategory("Visual", {"Start", "Count"});
        RegisterPropertiesInCategory("Layout", &TTestDerived::staticMetaObject, {"Start"});
        RegisterPropertiesInCategory("Refs", {TypeInfo<TTestBase>()});
        auto &reg = TDesignRegistry::Instance();
        PPropInfo baseStart = GetPropInfo(&TTestBase::staticMetaObject, "Start");
        PPropInfo derivedStart = GetPropInfo(&TTestDerived::staticMetaObject, "Start");
        QCOMPARE(reg.CategoriesOf(&TTestBase::staticMetaObject, baseStart), QStringList{"Visual"});
        QCOMPARE(reg.CategoriesOf(&TTestDerived::staticMetaObject, derivedStart), (QStringList{"Visual", "Layout"}));
        QCOMPARE(reg.CategoriesOf(&TTestBase::staticMetaObject, GetPropInfo(&TTestBase::staticMetaObject, "Ref")),
                 QStringList{"Refs"});
    }

    void selectionKeepsCommonPropertiesOnly()
    {
        TTestDesigner d;
        TTestBase a(&d.Root);
        TTestOther b(&d.Root);
        QStringList names;
        for (auto &e : GetComponentProperties({&a, &b}, &d))
            names << e->GetName();
        // Name is never edited for several at once; Mode, Ref and Settings are not on TTestOther.
        QCOMPARE(names, (QStringList{"Start", "Count"}));

        RegisterPropertyEditor(TypeInfo<int>(), nullptr, "Count", PropertyEditorClass<EdSingle>());
        names.clear();
        for (auto &e : GetComponentProperties({&a, &b}, &d))
            names << e->GetName();
        QCOMPARE(names, QStringList{"Start"});
        QCOMPARE(GetComponentProperties({&a}, &d).size(), size_t(6));
    }

    void multiSelectionValues()
    {
        TTestDesigner d;
        TTestBase a(&d.Root), b(&d.Root);
        a.FStart = 1.5;
        b.FStart = 2;
        auto e = editorOf({&a, &b}, &d, "Start");
        QVERIFY(e);
        QVERIFY(!e->AllEqual());
        QCOMPARE(e->GetVisualValue(), QString());
        QCOMPARE(e->GetValue(), QString("1.5")); // the first selected
        e->SetValue("3.25");
        QCOMPARE(a.FStart, 3.25);
        QCOMPARE(b.FStart, 3.25);
        QCOMPARE(d.ModifiedCount, 1);
        QCOMPARE(e->GetVisualValue(), QString("3.25"));
    }

    void floatAndIntegerTexts()
    {
        TTestDesigner d;
        TTestBase a(&d.Root);
        auto f = editorOf({&a}, &d, "Start");
        f->SetValue(" 1.5E3 ");
        QCOMPARE(a.FStart, 1500.0);
        QVERIFY_THROWS_EXCEPTION(EConvertError, f->SetValue("1,5x"));
        QCOMPARE(a.FStart, 1500.0);
        f->SetValue("1E20");
        QCOMPARE(f->GetValue(), QString("1E20"));
        f->SetValue("0.1");
        QCOMPARE(f->GetValue(), QString("0.1"));

        auto i = editorOf({&a}, &d, "Count");
        i->SetValue("$FF");
        QCOMPARE(a.FCount, 255);
        QVERIFY_THROWS_EXCEPTION(EPropertyError, i->SetValue("99999999999"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, i->SetValue("12a"));
        QCOMPARE(a.FCount, 255);
        QCOMPARE(d.ModifiedCount, 4); // the failed writes reported nothing
    }

    void enumerationTexts()
    {
        TTestDesigner d;
        TTestBase a(&d.Root);
        auto e = editorOf({&a}, &d, "Mode");
        QStringList values;
        e->GetValues([&](const QString &s) { values << s; });
        QCOMPARE(values, (QStringList{"mdFirst", "mdSecond", "mdAlpha"}));
        QVERIFY(e->GetAttributes().Contains(paSortList));
        e->SetValue("mdalpha");
        QCOMPARE(a.FMode, TTestBase::mdAlpha);
        QCOMPARE(e->GetValue(), QString("mdAlpha"));
        QVERIFY_THROWS_EXCEPTION(EPropertyError, e->SetValue("mdNone"));
        QCOMPARE(a.FMode, TTestBase::mdAlpha);
    }

    void componentReferences()
    {
        TTestDesigner d;
        auto *a = new TTestBase(&d.Root);
        a->SetName("Alpha");
        auto *b = new TTestDerived(&d.Root);
        b->SetName("Beta");
        auto *o = new TTestOther(&d.Root);
        o->SetName("Other");
        auto e = editorOf({a}, &d, "Ref");
        QStringList values;
        e->GetValues([&](const QString &s) { values << s; });
        QCOMPARE(values, (QStringList{"Alpha", "Beta"}));
        e->SetValue("Beta");
        QCOMPARE(a->FRef, b);
        QCOMPARE(e->GetValue(), QString("Beta"));
        QVERIFY(e->GetAttributes().Contains(paSubProperties));
        QVERIFY_THROWS_EXCEPTION(EPropertyError, e->SetValue("Other"));
        QVERIFY_THROWS_EXCEPTION(EPropertyError, e->SetValue("Nobody"));
        QCOMPARE(a->FRef, b);
        delete b; // the reference clears itself
        QCOMPARE(a->FRef, nullptr);
        QCOMPARE(e->GetValue(), QString());
        e->SetValue("Alpha");
        e->SetValue("");
        QCOMPARE(a->FRef, nullptr);
    }

    void subPropertiesOfAnOwnedObject()
    {
        TTestDesigner d;
        TTestBase a(&d.Root), b(&d.Root);
        a.FSettings->FWidth = 3;
        b.FSettings->FWidth = 3;
        auto e = editorOf({&a, &b}, &d, "Settings");
        QCOMPARE(e->GetValue(), QString("(TTestSettings)"));
        std::vector<std::unique_ptr<TPropertyEditor>> subs;
        e->GetProperties([&](TPropertyEditor *p) { subs.emplace_back(p); });
        QCOMPARE(subs.size(), size_t(2));
        QCOMPARE(subs[0]->GetName(), QString("Width"));
        subs[0]->SetValue("7");
        QCOMPARE(a.FSettings->FWidth, 7);
        QCOMPARE(b.FSettings->FWidth, 7);
    }

    void revertRestoresTheClassDefault()
    {
        RegisterComponentClass<TTestBase>();
        TTestDesigner d;
        TTestBase a(&d.Root);
        a.FCount = 9;
        auto e = editorOf({&a}, &d, "Count");
        e->Revert();
        QCOMPARE(a.FCount, 0);
        UnRegisterClass(&TTestBase::staticMetaObject);
    }

    void ownershipAndNames()
    {
        QPointer<TTestBase> child, grandchild;
        {
            TTestBase root;
            root.SetDesigning(true);
            child = new TTestBase(&root);
            grandchild = new TTestBase(child);
            QVERIFY(grandchild->IsDesigning());
            child->SetName("Child");
            auto *other = new TTestBase(&root);
            QVERIFY_THROWS_EXCEPTION(EComponentError, other->SetName("child"));
            QVERIFY_THROWS_EXCEPTION(EComponentError, other->SetName("1abc"));
            QCOMPARE(root.FindComponent("CHILD"), child.data());
            QCOMPARE(root.ComponentCount(), 2);
            delete other;
            QCOMPARE(root.ComponentCount(), 1);
        }
        QVERIFY(child.isNull());
        QVERIFY(grandchild.isNull());
    }

    // An owner's observer hears what comes and goes below it, also one level down, and who
    // loses a reference; a component going is told while it still stands at its place.
    void observerHearsComponentsComeGoAndLoseReferences()
    {
        struct TLog : IComponentObserver {
            QList<QPair<TComponent *, TComponent *>> Inserted; // owner, component
            QList<QPair<TComponent *, int>> Removed;            // component, its index then
            QList<TComponent *> Notified;
            void ComponentInserted(TComponent *Owner, TComponent *C) override { Inserted.append(qMakePair(Owner, C)); }
            void ComponentRemoved(TComponent *, TComponent *C) override { Removed.append(qMakePair(C, C->ComponentIndex())); }
            void ComponentNotified(TComponent *C, TComponent *) override { Notified.append(C); }
        } log;
        TTestBase root;
        root.SetObserver(&log);
        auto *a = new TTestBase(&root);
        auto *b = new TTestBase(&root);
        auto *c = new TTestBase(&root);
        auto *sub = new TTestBase(b);
        QCOMPARE(log.Inserted.size(), 4);
        QCOMPARE(log.Inserted.last(), (QPair<TComponent *, TComponent *>{b, sub}));
        QCOMPARE(sub->Observer(), &log);
        delete sub;
        QCOMPARE(log.Removed, (QList<QPair<TComponent *, int>>{{sub, 0}}));
        c->SetRef(b);
        delete b; // C refers to it
        QCOMPARE(log.Notified, QList<TComponent *>{c});
        QCOMPARE(log.Removed.last(), (QPair<TComponent *, int>{b, 1}));
        QCOMPARE(log.Removed.size(), 2);
        QCOMPARE(c->Ref(), nullptr);
        // A component can be put back at its place.
        c->SetComponentIndex(0);
        QCOMPARE(c->ComponentIndex(), 0);
        QCOMPARE(a->ComponentIndex(), 1);
        c->SetComponentIndex(99);
        QCOMPARE(c->ComponentIndex(), 1);
        root.SetObserver(nullptr);
        delete a;
        QCOMPARE(log.Removed.size(), 2);
    }

    // A watch for a dialog opened from inside another takes the new one, not the one that
    // was open already; a watch whose window never comes gives up.
    void modalWatchTakesTheWindowItWaitsFor()
    {
        QDialog outer, inner;
        QWidget *taken = nullptr;
        QVERIFY(!TModalWatch::Armed());
        auto outerRan = ModalWait::WhenModal([&](QWidget *w) {
            TModalWatch watch(
                [&](QWidget *i) {
                    taken = i;
                    ModalWait::Reject(i);
                },
                TModalWatch::NewModal, 2000);
            QVERIFY(TModalWatch::Armed());
            QTest::qWait(30); // time for the watch to see the outer dialog, were it to take it
            inner.exec();
            QVERIFY(watch.Ran());
            ModalWait::Accept(w);
        });
        QCOMPARE(outer.exec(), int(QDialog::Accepted));
        QVERIFY(*outerRan);
        QCOMPARE(taken, &inner);
        QVERIFY(!TModalWatch::Armed());
        auto never = ModalWait::WhenModal(ModalWait::Accept, 30);
        QVERIFY(TModalWatch::Armed());
        QTest::qWait(100);
        QVERIFY(!*never);
        QVERIFY(!TModalWatch::Armed());
    }

    void registryKeepsOrderAndOddNames()
    {
        QTemporaryDir dir;
        TRegistry::SetStorageFile(dir.filePath("reg.ini"));
        TRegistry reg;
        QVERIFY(!reg.OpenKeyReadOnly(KnownPackagesKey()));
        QVERIFY(reg.OpenKey(KnownPackagesKey(), true));
        reg.WriteString("/usr/lib/b/KvPlots2D_x.so", "B");
        reg.WriteString("/usr/lib/a/Other.so", "A");
        reg.WriteString("C:\\Pkg\\KvPlots2D_y.bpl", "C");
        TRegistry again;
        QVERIFY(again.OpenKeyReadOnly(KnownPackagesKey()));
        QStringList names;
        again.GetValueNames(names);
        QCOMPARE(names, (QStringList{"/usr/lib/b/KvPlots2D_x.so", "/usr/lib/a/Other.so", "C:\\Pkg\\KvPlots2D_y.bpl"}));
        QCOMPARE(again.ReadString("/usr/lib/a/Other.so"), QString("A"));
        QVERIFY(reg.DeleteValue("/usr/lib/a/Other.so"));
        again.GetValueNames(names);
        QCOMPARE(names.size(), 2);
        TRegistry::SetStorageFile(QString());
    }

    void stringsText()
    {
        TStrings s;
        QSignalSpy spy(&s, &TStrings::OnChange);
        s.SetText("a\r\nb\nc\r");
        QCOMPARE(s.Strings(), (QStringList{"a", "b", "c"}));
        QCOMPARE(s.Text(), QString("a\r\nb\r\nc\r\n"));
        s.BeginUpdate();
        s.Add("d");
        s.Delete(0);
        QCOMPARE(spy.count(), 1);
        s.EndUpdate();
        QCOMPARE(spy.count(), 2);
    }
};

QTEST_MAIN(TstDesignIntf)
#include "tst_designintf.moc"
