#include "AboutBox.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "HostIDE.h"
#include "IDEServices.h"
#include "Pictures.h"

namespace {
QLabel *label(const QString &Text, QWidget *parent, const char *Name)
{
    auto *l = new QLabel(Text, parent);
    l->setObjectName(QLatin1String(Name));
    l->setTextFormat(Qt::PlainText);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// The description as the package wrote it, its CR LF line breaks as lines.
QString descriptionLines(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}
} // namespace

TAboutBox::TAboutBox(TAboutBoxServices *AboutBox, QWidget *parent) : QDialog(parent), FAboutBox(AboutBox)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About %1").arg(THostIDE::IDEName()));
    setWindowIcon(IDEIcon());
    resize(600, 500);

    auto *top = new QVBoxLayout(this);
    top->setSpacing(12);

    // The IDE itself.
    auto *head = new QHBoxLayout;
    auto *logo = new QLabel(this);
    logo->setPixmap(IDELogo(64, devicePixelRatioF()));
    logo->setAlignment(Qt::AlignTop);
    head->addWidget(logo);
    auto *headText = new QVBoxLayout;
    auto *name = label(THostIDE::IDEName(), this, "IDENameLabel");
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 10);
    big.setBold(true);
    name->setFont(big);
    headText->addWidget(name);
    headText->addWidget(label(QStringLiteral("Component design environment, version %1").arg(THostIDE::IDEVersion()), this,
                              "IDEVersionLabel"));
    headText->addWidget(label(QStringLiteral("Built with Qt %1").arg(QLatin1String(QT_VERSION_STR)), this, "QtVersionLabel"));
    headText->addStretch();
    head->addLayout(headText, 1);
    top->addLayout(head);

    auto *productsTitle = label(QStringLiteral("Installed products:"), this, "ProductsLabel");
    QFont bold = productsTitle->font();
    bold.setBold(true);
    productsTitle->setFont(bold);
    top->addWidget(productsTitle);

    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ProductsArea"));
    scroll->setWidgetResizable(true);
    scroll->setBackgroundRole(QPalette::Base);
    auto *list = new QWidget;
    list->setBackgroundRole(QPalette::Base);
    list->setAutoFillBackground(true);
    FProducts = new QVBoxLayout(list);
    FProducts->setContentsMargins(10, 10, 10, 10);
    FProducts->setSpacing(10);
    scroll->setWidget(list);
    top->addWidget(scroll, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    top->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(FAboutBox, &TAboutBoxServices::EntriesChanged, this, &TAboutBox::Refresh);
    Refresh();
}

void TAboutBox::Refresh()
{
    while (QLayoutItem *item = FProducts->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    QWidget *list = FProducts->parentWidget();
    bool first = true;
    for (const TAboutBoxEntry &e : FAboutBox->Entries()) {
        if (!first) {
            auto *line = new QFrame(list);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            FProducts->addWidget(line);
        }
        first = false;
        auto *row = new QWidget(list);
        row->setObjectName(QStringLiteral("Product%1").arg(e.Index));
        auto *h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(14);
        auto *pic = new QLabel(row);
        pic->setObjectName(QStringLiteral("ProductImage"));
        pic->setFixedSize(52, 52);
        pic->setAlignment(Qt::AlignCenter);
        pic->setPixmap(SharpBitmap(e.Image, devicePixelRatioF()));
        h->addWidget(pic, 0, Qt::AlignTop);
        auto *v = new QVBoxLayout;
        v->setSpacing(3);
        auto *title = label(e.Title, row, "ProductTitle");
        QFont tf = title->font();
        tf.setBold(true);
        tf.setPointSize(tf.pointSize() + 1);
        title->setFont(tf);
        v->addWidget(title);
        if (!e.SKUName.isEmpty())
            v->addWidget(label(e.SKUName, row, "ProductVersion"));
        if (e.IsUnRegistered || !e.LicenseStatus.isEmpty())
            v->addWidget(label(e.IsUnRegistered ? QStringLiteral("Unregistered %1").arg(e.LicenseStatus).trimmed()
                                                : e.LicenseStatus,
                               row, "ProductLicense"));
        auto *desc = label(descriptionLines(e.Description), row, "ProductDescription");
        v->addWidget(desc);
        if (!e.AdditionalInfo.isEmpty())
            v->addWidget(label(e.AdditionalInfo, row, "ProductInfo"));
        h->addLayout(v, 1);
        FProducts->addWidget(row);
    }
    if (first)
        FProducts->addWidget(label(QStringLiteral("No products are installed."), list, "NoProductsLabel"));
    FProducts->addStretch();
}
