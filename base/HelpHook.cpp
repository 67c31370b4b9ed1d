#include "base/HelpHook.h"

namespace {
HelpHandler &handler()
{
    static HelpHandler h;
    return h;
}
} // namespace

HelpHandler setHelpHandler(HelpHandler h)
{
    return std::exchange(handler(), std::move(h));
}

void requestHelp(const char *section)
{
    if (handler())
        handler()(QString::fromLatin1(section));
}
