#include <gtest/gtest.h>

#include "kestrel/modem/ModemVocabulary.h"

using kestrel::CommandRow;
using kestrel::ModemCommand;
using kestrel::ModemResponse;
using kestrel::ReplyCompletion;
using kestrel::ResponseText;
using kestrel::SequenceEntry;

// The rows the program sends, as the start sequence, the power cycling and the status control
// rely on them.
TEST(ModemVocabulary, TheSentRows) {
    using C = ReplyCompletion;
    using R = ModemResponse;
    struct Row {
        int number;
        const char* text;
        C completion;
        R a;
        R b;
        int pause;
        int timeout;
    };
    const Row rows[] = {
        {2, "E0", C::LastLine, R::Ok, R::None, 2, 20},
        {9, "+CSQ", C::LastTwoLines, R::Csq, R::Ok, 4, 100},
        {12, "+CIPCLOSE", C::LastLine, R::CloseOk, R::None, 4, 100},
        {13, "+CGATT?", C::LastTwoLines, R::Cgatt, R::Ok, 4, 300},
        {30, "+CGATT=1", C::LastLine, R::Ok, R::None, 4, 300},
        {31, "+CSTT=", C::LastLine, R::Ok, R::None, 4, 200},
        {32, "+CIICR", C::LastLine, R::Ok, R::None, 10, 1200},
        {33, "+CIFSR", C::LastLine, R::NoAddress, R::None, 10, 100},
        {34, "+CMGDA=6", C::LastLine, R::Ok, R::None, 4, 100},
        {44, "+CIPMUX=0", C::LastLine, R::Ok, R::None, 4, 20},
        {45, "+CIPSERVER=1,", C::LastTwoLines, R::Ok, R::ServerOk, 4, 20},
        {46, "+CIPSTATUS", C::Status, R::None, R::None, 4, 20},
        {47, "+CIPMODE=1", C::LastLine, R::Ok, R::None, 4, 20},
    };
    for (const Row& r : rows) {
        const auto& row = CommandRow(ModemCommand(r.number));
        EXPECT_EQ(row.text, r.text) << r.number;
        EXPECT_EQ(row.completion, r.completion) << r.number;
        EXPECT_EQ(row.a, r.a) << r.number;
        EXPECT_EQ(row.b, r.b) << r.number;
        EXPECT_EQ(row.pause, r.pause) << r.number;
        EXPECT_EQ(row.timeout, r.timeout) << r.number;
    }
}

TEST(ModemVocabulary, NumbersOutsideTheTablesGiveEmptyRows) {
    EXPECT_EQ(CommandRow(ModemCommand::None).text, "");
    EXPECT_EQ(CommandRow(ModemCommand(48)).text, "");
    EXPECT_EQ(CommandRow(ModemCommand(255)).completion, ReplyCompletion::None);
    EXPECT_EQ(ResponseText(ModemResponse(50)), "");
    EXPECT_EQ(ResponseText(ModemResponse::StateServerListening), "STATE: SERVER LISTENING");
    EXPECT_EQ(ResponseText(ModemResponse::Cnum), "+CNUM: ");
}

TEST(ModemVocabulary, SequencesEndAtTheirFirstZero) {
    const std::vector<std::vector<int>> sequences = {
        {2, 9, 34, 46}, {2, 9, 34}, {30, 13, 47, 44, 31, 32, 33, 45},
        {32, 33, 45},   {33, 45},   {33, 45},
    };
    for (int s = 1; s <= 6; ++s) {
        std::vector<int> numbers;
        for (int i = 0; SequenceEntry(s, i) != ModemCommand::None; ++i) {
            numbers.push_back(int(SequenceEntry(s, i)));
        }
        EXPECT_EQ(numbers, sequences[std::size_t(s - 1)]) << s;
    }
    EXPECT_EQ(SequenceEntry(3, 9), ModemCommand::None);
    EXPECT_EQ(SequenceEntry(7, 0), ModemCommand::None);
}
