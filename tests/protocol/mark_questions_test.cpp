// Which bridge replies the editor takes: only to a question out, once per axis, in range, within
// the wait; a flood of mark notifications makes one question and one more after it.
#include <gtest/gtest.h>

#include "protocol/mark_questions.h"

namespace vondrel::bridge {
namespace {

TEST(MarkQuestions, RepliesAreTakenOnlyWhenAskedForAndValid) {
    const MessageNumbers numbers = RegisterNames([n = 0xC100u](const char*) mutable { return n++; });
    MarkQuestions questions;
    const struct {
        const char* what;
        char event;  // M: a mark notification, N: a latitude reply, E: a longitude reply
        const char* text;
        std::int64_t at;
        const char* taken;
        bool ask;  // the mark asks, or the reply asks again
    } steps[] = {
        {"a reply nobody asked for", 'N', " 35/41/05007", 0, "", false},
        {"a mark, then a thousand more while asked", 'M', "", 100, "", true},
        {"markup", 'N', "<b>35</b>", 200, "", false},
        {"beyond 90 degrees", 'N', " 95/00/00000", 210, "", false},
        {"the latitude, its last part short", 'N', " 35/41/5007", 300, " 35.41.05.007", false},
        {"a longitude of 180 degrees: asks again", 'E', "180/00/00000", 320, "180.00.00.000", true},
        {"after the wait", 'N', " 35/00/00000", 320 + MarkQuestions::kReplyWaitMs, "", false},
    };
    for (const auto& step : steps) {
        std::string taken;
        bool ask = false;
        if (step.event == 'M') {
            ask = questions.OnMarkReady(step.at);
            for (int i = 0; i < 1000 && ask; ++i) EXPECT_FALSE(questions.OnMarkReady(step.at)) << step.what;
        } else {
            const Name asked = step.event == 'N' ? Name::kGetMarkLat : Name::kGetMarkLon;
            for (const Post& post : EncodeReply(numbers, numbers[asked], step.text)) {
                if (auto coordinate = questions.OnReply(post.wParam, post.lParam, numbers, step.at)) taken = coordinate->display;
            }
            ask = questions.AskAgain(step.at);
        }
        EXPECT_EQ(taken, step.taken) << step.what;
        EXPECT_EQ(ask, step.ask) << step.what;
    }
}

}  // namespace
}  // namespace vondrel::bridge
