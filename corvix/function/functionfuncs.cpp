// The functions of the errors-and-logging layer as the registry offers them
// to by-name callers.

#include "corvix/function/cxerror.h"
#include "corvix/function/filename.h"
#include "corvix/function/valblank.h"
#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"

namespace corvix {

namespace {

// An error record travelling inside a Value.
class ErrorObject : public Object {
public:
    explicit ErrorObject(ErrorRecord r) : record(std::move(r)) {}
    ErrorRecord record;
};

void RegisterLog(FunctionRegistry& r) {
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

void RegisterErrors(FunctionRegistry& r) {
    r.Register("_CXGENERROR", [](Args a) {
        auto record = CXGENERROR(a.Int(0), a.String(1));
        return record ? Value(std::make_shared<ErrorObject>(std::move(*record))) : Value();
    });
    r.Register("__LOWMEMERROR", [](Args) { return LOWMEMERROR(); });
    r.Register("ERRORMESSAGE", [](Args a) {
        auto* error = dynamic_cast<const ErrorObject*>(a[0].AsObject().get());
        return error ? Value(ERRORMESSAGE(error->record)) : Value();
    });
}

}  // namespace

void RegisterFunctionLayer(FunctionRegistry& r) {
    RegisterLog(r);
    RegisterErrors(r);
}

}  // namespace corvix
