#include "SysUtils.h"

QString ExceptionMessage(const std::exception_ptr &E)
{
    if (!E)
        return {};
    try {
        std::rethrow_exception(E);
    } catch (const Exception &e) {
        return e.Message();
    } catch (const std::exception &e) {
        // Library exceptions carry UTF-8 (or plain ASCII) texts.
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("An unknown exception occurred");
    }
}
