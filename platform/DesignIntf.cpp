#include "DesignIntf.h"

#include <cxxabi.h>
#include <cstdlib>

QStringList TPropertyAttributes::Names() const
{
    static const char *names[] = {"paValueList", "paSubProperties", "paDialog", "paMultiSelect", "paAutoUpdate",
                                  "paSortList", "paReadOnly", "paRevertable", "paFullWidthName",
                                  "paVolatileSubProperties", "paVCL", "paNotNestable", "paDisplayReadOnly",
                                  "paCustomDropDown", "paValueEditable"};
    QStringList out;
    for (unsigned i = 0; i < sizeof(names) / sizeof(names[0]); ++i)
        if (FBits & (1u << i))
            out << QString::fromLatin1(names[i]);
    return out;
}

QString DemangledClassName(const char *MangledName)
{
    int status = 0;
    char *d = abi::__cxa_demangle(MangledName, nullptr, nullptr, &status);
    QString out = status == 0 && d ? QString::fromLatin1(d) : QString::fromLatin1(MangledName);
    std::free(d);
    return out;
}

namespace {
std::function<QString(const QString &)> &translator()
{
    static std::function<QString(const QString &)> t;
    return t;
}
QString categoryText(const char *english)
{
    const QString s = QString::fromLatin1(english);
    return translator() ? translator()(s) : s;
}
} // namespace

void SetCategoryTranslator(std::function<QString(const QString &)> Translate) { translator() = std::move(Translate); }

QString sActionCategoryName() { return categoryText("Action"); }
QString sDataCategoryName() { return categoryText("Data"); }
QString sDatabaseCategoryName() { return categoryText("Database"); }
QString sDragNDropCategoryName() { return categoryText("Drag, Drop and Docking"); }
QString sHelpCategoryName() { return categoryText("Help and Hints"); }
QString sLayoutCategoryName() { return categoryText("Layout"); }
QString sLegacyCategoryName() { return categoryText("Legacy"); }
QString sLinkageCategoryName() { return categoryText("Linkage"); }
QString sLocaleCategoryName() { return categoryText("Locale"); }
QString sLocalizableCategoryName() { return categoryText("Localizable"); }
QString sMiscellaneousCategoryName() { return categoryText("Miscellaneous"); }
QString sVisualCategoryName() { return categoryText("Visual"); }
QString sInputCategoryName() { return categoryText("Input"); }
