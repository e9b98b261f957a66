// The message helper over the program's string table (the boxes it shows are checked with every command's questions
// and summaries).
#include "platform/messages.h"
#include "resources/resource.h"
#include "wintest.h"

namespace {

TEST(Messages, MissingEntriesAndFormatting) {
    for (UINT id : {0u, 100u, 156u, 2999u, 3003u}) {
        EXPECT_STREQ("String table error - this application may be damaged", LoadMessageText(id)) << id;
    }
    EXPECT_STREQ("One file", LoadMessageText(MSG_SUMMARY_ONE_FILE)) << "the buffer is reused";
    char text[64];
    EXPECT_STREQ("5 fon", FormatMessageText(text, 6, MSG_FONTS_SELECTED, 5u));
    EXPECT_STREQ("", FormatMessageText(text, 1, MSG_FONTS_SELECTED, 5u));
    // A phrase straight from LoadMessageText survives the sentence's load.
    EXPECT_STREQ("No files processed.",
                 FormatMessageText(text, sizeof text, MSG_SUMMARY_PROCESSED, LoadMessageText(MSG_SUMMARY_NO_FILES)));
}

}  // namespace
