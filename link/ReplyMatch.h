#pragma once
// Which reply answers which request. A request of this table waits for its
// own reply: any other frame that arrives meanwhile (a duplicate, a reply
// nobody asked for, an older answer come late) neither ends its wait nor
// counts as its answer, so a lost or damaged answer is asked for again by
// the link's time-out, and the reply handlers act only on what was asked.
// Requests without a row (setters, polls, the keep-alive) end their wait
// with any sound frame.
//
// A received frame is sound when it has the head 10 02, the trailer 10 03
// where its length byte puts it, and the right check byte; anything else is
// damaged and is never delivered.

#include <cstddef>
#include <cstdint>
#include <span>

struct ReplyRule {
  std::uint8_t Request;
  std::uint8_t Reply;
  std::uint8_t OtherReply;  // a second code that answers too (0: none)
  bool SameIndex;           // the reply's first payload byte repeats the request's
};

// The row of a request code; null for a request any frame answers.
const ReplyRule* FindReplyRule(std::uint8_t requestCode);

// A reply code that only ever answers a request of the table: a frame of
// such a code is acted on only as the answer to its request.
bool IsAnswerOnlyCode(std::uint8_t replyCode);

// The reply frame answers the request frame (both whole frames as they
// travel; the request as the editor built it).
bool AnswersRequest(std::span<const std::uint8_t> request, std::span<const std::uint8_t> reply);

// Head, trailer where the length byte puts it, and check byte.
bool IsSoundFrame(std::span<const std::uint8_t> frame);
