// The message helper over the program's string table.
#include "platform/messages.h"
#include "resources/resource.h"
#include "wintest.h"

namespace {

TEST(Messages, MissingEntriesFormattingAndTheBox) {
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
    ModalWatcher watcher;
    watcher.Answer({IDNO, IDOK});
    EXPECT_EQ(IDNO, ShowMessage(nullptr, MSG_COPY_FAILED, kAsk, "Deja Sans", "DEJA.TTF", "C:\\FONTS\\"));
    EXPECT_EQ(IDOK, ShowMessage(nullptr, 156, kTell));
    ASSERT_EQ(2u, watcher.seen().size());
    EXPECT_EQ("Message", watcher.seen()[0].caption);
    EXPECT_EQ("The font Deja Sans (DEJA.TTF) could not be copied to C:\\FONTS\\. Do you wish to continue?\n\n"
              "Click on Yes to continue, No to abort.",
              watcher.seen()[0].text);
    EXPECT_EQ(kAsk, watcher.seen()[0].boxStyle);
    EXPECT_EQ("String table error - this application may be damaged", watcher.seen()[1].text);
}

}  // namespace
