#include "ui/main/GuardedApplication.h"

#include "ui/common/TH_Message.h"

GuardedApplication::GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        // The first one counts; handlers run while leaving may throw again.
        if (!m_escaped)
            m_escaped = std::current_exception();
        exit(0);
        return false;
    }
}

int GuardedApplication::run(const std::function<int()> &body)
{
    try {
        const int code = body();
        if (m_escaped)
            std::rethrow_exception(std::exchange(m_escaped, nullptr));
        return code;
    } catch (const std::exception &e) {
        TH_Message::msgException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        TH_Message::msgException(QString());
    }
    return 0;
}
