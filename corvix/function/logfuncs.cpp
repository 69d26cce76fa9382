// The log functions as the registry offers them to by-name callers.

#include "corvix/function/filename.h"
#include "corvix/function/valblank.h"
#include "corvix/runtime/registry.h"

namespace corvix {

void RegisterLogFunctions(FunctionRegistry& r) {
    r.Register("LOGFILE", [](Args a) {
        LOGFILE(a.String(0), a[1].AsArray());
        return Value();
    });
    r.Register("CVALTOCHAR", [](Args a) { return Value(CVALTOCHAR(a[0])); });
    r.Register("LOGSTACK", [](Args) {
        LOGSTACK();
        return Value();
    });
}

}  // namespace corvix
