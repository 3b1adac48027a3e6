// The messages between the game and the server: what each end accepts and refuses.
#include <gtest/gtest.h>

#include "protocol/fingerprint.h"
#include "protocol/messages.h"

using namespace protocol;

namespace {

std::string Breach(std::string_view text) {
  ClientMessage message;
  std::string why;
  return DecodeClient(text, message, why) == Decoded::Breach ? why : "accepted";
}

std::string Throwing(const std::string& fields) {
  return Breach(R"({"type":"throw","n":3,)" + fields + "}");
}

}  // namespace

// Whatever a client sends, the answer is a decoded message or a short reason: never a
// crash, never a value outside its range slipped through.
TEST(ProtocolMessages, AClientMessageOfTheWrongShapeIsABreachWithItsReason) {
  EXPECT_EQ(Breach("[1,2]"), "not an object");
  EXPECT_EQ(Breach(R"({"type":"dance"})"), "unknown type");
  EXPECT_EQ(Breach(R"({"type":"welcome","user":"a"})"), "unknown type") << "a server's message";
  EXPECT_EQ(Breach(R"({"type":"cancel","why":1})"), "unknown field");
  EXPECT_EQ(Breach(R"({"type":"play"})"), "missing field opponent");
  EXPECT_EQ(Breach(R"({"type":"play","opponent":"\u0007bell"})"), "bad field opponent");
  EXPECT_EQ(Breach(R"({"type":"end","n":4})"), "winner or outOfStep");
  EXPECT_EQ(Breach(R"({"type":"end","n":4,"winner":"Ann","outOfStep":true})"), "winner or outOfStep");
  EXPECT_EQ(Breach(R"({"type":"hello","version":1,"user":"Ann","password":"x","resume":"00"})"), "unknown field");
  EXPECT_EQ(Breach(R"({"type":"hello","version":"1","user":"a","password":"b"})"), "bad field version");

  const std::string good = R"("power":91,"aim":49,"flightPower":85,"flightAim":54,"bounce":5,"result":-3)";
  EXPECT_EQ(Throwing(good), "accepted");
  EXPECT_EQ(Throwing(R"("power":151,"aim":49,"flightPower":150,"flightAim":49,"bounce":5,"result":0)"), "bad field power");
  EXPECT_EQ(Throwing(R"("power":91.0,"aim":49,"flightPower":91,"flightAim":49,"bounce":5,"result":0)"), "bad field power");
  EXPECT_EQ(Throwing(R"("power":91,"aim":49,"flightPower":84,"flightAim":49,"bounce":5,"result":0)"), "bad field flightPower");
  EXPECT_EQ(Throwing(R"("power":91,"aim":49,"flightPower":91,"flightAim":55,"bounce":5,"result":0)"), "bad field flightAim");
  EXPECT_EQ(Throwing(R"("power":91,"aim":49,"flightPower":91,"flightAim":49,"bounce":33,"result":0)"), "bad field bounce");
  EXPECT_EQ(Throwing(R"("power":91,"aim":49,"flightPower":91,"flightAim":49,"bounce":5,"result":15)"), "bad field result");
  EXPECT_EQ(Throwing(R"("power":91,"aim":49,"flightPower":91,"flightAim":49,"bounce":5,
                        "result":18446744073709551613)"), "bad field result") << "no wrap to -3";
}

// What the server sends reads back in the game as it was written.
TEST(ProtocolMessages, EveryServerMessageReadsBackAsItWasWritten) {
  const ServerMessage server[] = {
      Welcome{"Ann", 12, 7, std::string(64, 'f'), true}, Waiting{""}, Cancelled{}, Paired{"Bob", "Ann"},
      Rejoined{"Bob", "Bob", 14}, Throw{0, 0, 390, -6, 395, 5, -2}, Away{30}, Back{},
      Ended{EndReason::Timeout, "Bob", 0, 1}, Ended{EndReason::OutOfStep, "", 3, 4},
      Bye{ByeReason::Shutdown, ByeText(ByeReason::Shutdown)}};
  for (const ServerMessage& m : server) {
    ServerMessage back;
    std::string why;
    ASSERT_EQ(DecodeServer(Encode(m), back, why), Decoded::Ok) << Encode(m) << " " << why;
    EXPECT_EQ(Encode(back), Encode(m));
  }
}

TEST(ProtocolNames, NamesAreFifteenBytesOfTextAndMatchWhateverTheCaseOfTheirLetters) {
  EXPECT_TRUE(ValidUserName("Ann"));
  EXPECT_TRUE(ValidUserName("Zoë Ünal 😀"));  // 15 bytes
  EXPECT_FALSE(ValidUserName("Zoë Ünal 😀!"));
  EXPECT_FALSE(ValidUserName(""));
  EXPECT_FALSE(ValidUserName("tab\there"));
  EXPECT_FALSE(ValidUserName("del\x7f"));
  EXPECT_FALSE(ValidUserName("c1\xc2\x85"));
  EXPECT_FALSE(ValidUserName("cut\xf0\x9f\x98"));
  EXPECT_FALSE(ValidUserName("over\xc0\xaf"));
  EXPECT_TRUE(ValidUserName("\xdf\xbf\xe0\xa0\x80\xf4\x8f\xbf\xbf"));  // U+07FF, U+0800, U+10FFFF
  EXPECT_FALSE(ValidUserName("\xed\xa0\x80") || ValidUserName("\xf4\x90\x80\x80"));  // a surrogate, past U+10FFFF
  EXPECT_TRUE(ValidPassword("tab\there"));
  EXPECT_FALSE(ValidPassword("0123456789abcdef"));
  EXPECT_EQ(FoldName("ZoË Ann"), FoldName("zoË aNN"));
  EXPECT_NE(FoldName("ZOË"), FoldName("zoë")) << "only ASCII letters fold";
}

TEST(ProtocolNames, AFingerprintIsUpperCaseHexPairsJoinedByColons) {
  const std::uint8_t digest[] = {0x3a, 0xf0, 0x05, 0x9c};
  EXPECT_EQ(FingerprintText(digest, 4), "3A:F0:05:9C");
}
