#include "corvix/function/cxerror.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "corvix/runtime/registry.h"

namespace corvix {
namespace {

TEST(ErrorRecordTest, MemoryLowIsTheOneWarningThatAllowsADefault) {
    const auto low = CXGENERROR(4, "alloc");
    ASSERT_TRUE(low);
    EXPECT_EQ(low->Severity, 1);
    EXPECT_EQ(low->SubSystem, "BASE");
    EXPECT_EQ(low->SubCode, 5300);
    EXPECT_TRUE(low->CanDefault);
    EXPECT_EQ(low->Operation, "alloc");
    for (int code : {1, 2, 3, 5, 6}) {
        const auto e = CXGENERROR(code);
        ASSERT_TRUE(e) << code;
        EXPECT_EQ(e->Severity, 3);
        EXPECT_FALSE(e->CanDefault);
        EXPECT_FALSE(e->CanRetry);
        EXPECT_EQ(e->GenCode, 0);
    }
    EXPECT_EQ(CXGENERROR(6)->Description, "Cannot create window or control");
    EXPECT_EQ(CXGENERROR(6)->SubCode, 6);
}

TEST(ErrorRecordTest, CodesOutsideOneToSixGiveNoRecord) {
    EXPECT_FALSE(CXGENERROR(0));
    EXPECT_FALSE(CXGENERROR(7));
    EXPECT_FALSE(CXGENERROR(-1));
    EXPECT_TRUE(CallByName("_CXGENERROR", {7})->IsNil());
    EXPECT_FALSE(CallByName("_CXGENERROR", {1})->IsNil());
}

TEST(ErrorHandlerTest, TheHandlerInForceReceivesTheRecordAndItsAnswerReachesTheRaiser) {
    std::string seen;
    const ErrorHandler previous = SetErrorHandler([&seen](const ErrorRecord& e) {
        seen = *e.Description;
        return Value(42);
    });
    EXPECT_EQ(RaiseError(*CXGENERROR(6, "x")), Value(42));
    EXPECT_EQ(seen, "Cannot create window or control");
    EXPECT_EQ(LOWMEMERROR(), Value(42));
    EXPECT_EQ(seen, "Memory Low");
    EXPECT_EQ(CallByName("__LOWMEMERROR").value(), Value(42));
    ASSERT_TRUE(GetErrorHandler());
    EXPECT_EQ(GetErrorHandler()(*CXGENERROR(1)), Value(42));
    SetErrorHandler(previous);
}

TEST(ErrorHandlerTest, WithNoHandlerRaisingAnswersNil) {
    const ErrorHandler previous = SetErrorHandler(nullptr);
    EXPECT_TRUE(RaiseError(*CXGENERROR(1)).IsNil());
    SetErrorHandler(previous);
}

TEST(ErrorMessageTest, TheOneLineTextOfEachKindOfRecord) {
    EXPECT_EQ(ERRORMESSAGE(*CXGENERROR(1, "No:      7")), "Error Corvix/1  Non defined Id: No:      7");
    EXPECT_EQ(ERRORMESSAGE(*CXGENERROR(4)), "Warning BASE/5300  Memory Low");
    ErrorRecord e;
    e.OsCode = 5;
    e.Severity = 2;
    e.FileName = "data.dbf";
    e.Operation = "OPEN";
    EXPECT_EQ(ERRORMESSAGE(e), "(DOS Error 5) ???" "/???: data.dbf");
}

}  // namespace
}  // namespace corvix
