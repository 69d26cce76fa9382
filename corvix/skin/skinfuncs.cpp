#include "corvix/skin/skinfuncs.h"

#include "corvix/runtime/args.h"
#include "corvix/runtime/registry.h"
#include "corvix/skin/buttonhook.h"
#include "corvix/skin/handlerfuncs.h"

namespace corvix::skin {

void RegisterSkinFunctions() {
    RegisterSkinHandlers();
    corvix::FunctionRegistry::Instance().Register("BUTTONS2007", [](Args a) {
        if (a.Has(0))
            BUTTONS2007(a.Handle<HWND>(0));
        else
            BUTTONS2007();
        return Value();
    });
}

}  // namespace corvix::skin
