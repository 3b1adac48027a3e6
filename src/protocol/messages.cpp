#include "protocol/messages.h"

#include <cstdint>
#include <limits>

#include <nlohmann/json.hpp>

namespace protocol {

namespace {

using Json = nlohmann::ordered_json;

constexpr int MaxRecord = std::numeric_limits<int>::max();
constexpr std::size_t MaxTextBytes = 200;

// Reads the fields of one message object and keeps the first breach. A message passes
// when every field it needs is there, of its kind and in its range, and no field is left
// over that its type does not have.
class Reader {
 public:
  explicit Reader(const Json& object) : object_(object) {}

  bool Int(const char* key, std::int64_t low, std::int64_t high, int& out, bool optional = false) {
    const Json* value = Find(key, optional);
    if (!value) return ok_;
    std::int64_t v = 0;
    if (value->is_number_unsigned()) {
      const std::uint64_t u = value->get<std::uint64_t>();
      if (u > static_cast<std::uint64_t>(high)) return Breach("bad field ", key);
      v = static_cast<std::int64_t>(u);
    } else if (value->is_number_integer()) {
      v = value->get<std::int64_t>();
    } else {
      return Breach("bad field ", key);
    }
    if (v < low || v > high) return Breach("bad field ", key);
    out = static_cast<int>(v);
    return true;
  }

  bool String(const char* key, std::string& out, bool optional = false, std::size_t most = MaxTextBytes) {
    const Json* value = Find(key, optional);
    if (!value) return ok_;
    if (!value->is_string() || value->get_ref<const std::string&>().size() > most)
      return Breach("bad field ", key);
    out = value->get<std::string>();
    return true;
  }

  // A user name, or the empty string where `anyone` allows it.
  bool Name(const char* key, std::string& out, bool anyone = false, bool optional = false) {
    if (!String(key, out, optional) || (out.empty() && (anyone || optional))) return ok_;
    return ValidUserName(out) ? true : Breach("bad field ", key);
  }

  bool Bool(const char* key, bool& out, bool optional = false) {
    const Json* value = Find(key, optional);
    if (!value) return ok_;
    if (!value->is_boolean()) return Breach("bad field ", key);
    out = value->get<bool>();
    return true;
  }

  bool Has(const char* key) const { return object_.contains(key); }

  // True when the message passed and nothing in it was left unread.
  bool Done() {
    if (ok_ && read_ != object_.size()) Breach("unknown field", "");
    return ok_;
  }

  bool Breach(const char* what, const char* key) {
    if (ok_) why_ = std::string(what) + key;
    ok_ = false;
    return false;
  }
  const std::string& Why() const { return why_; }

 private:
  // The field, or null when it is absent (a breach unless optional) or a breach came first.
  const Json* Find(const char* key, bool optional) {
    if (!ok_) return nullptr;
    auto it = object_.find(key);
    if (it == object_.end()) {
      if (!optional) Breach("missing field ", key);
      return nullptr;
    }
    ++read_;
    return &*it;
  }

  const Json& object_;
  std::size_t read_ = 1;  // the type
  bool ok_ = true;
  std::string why_;
};

void Read(Reader& r, Throw& t) {
  r.Int("n", 0, MaxThrows - 1, t.n);
  r.Int("power", 0, MaxPower, t.power);
  r.Int("aim", 0, MaxAim, t.aim);
  r.Int("flightPower", t.power - WobbleBelow, t.power + WobbleAbove, t.flightPower);
  r.Int("flightAim", t.aim - WobbleBelow, t.aim + WobbleAbove, t.flightAim);
  r.Int("bounce", MinBounce, MaxBounce, t.bounce);
  r.Int("result", LowestResult, HighestResult, t.result);
}

void Read(Reader& r, Hello& h) {
  const bool resume = r.Has("resume");
  if (resume) {
    r.String("resume", h.resume, false, ResumeTokenDigits);
    r.Int("seen", 0, MaxThrows, h.seen, true);
  } else {
    r.String("user", h.user);
    r.String("password", h.password);
  }
}

void Read(Reader& r, Play& p) { r.Name("opponent", p.opponent, true); }
void Read(Reader&, Cancel&) {}
void Read(Reader&, Leave&) {}

void Read(Reader& r, End& e) {
  r.Int("n", 0, MaxThrows, e.n);
  r.Name("winner", e.winner, false, true);
  r.Bool("outOfStep", e.outOfStep, true);
  if (e.winner.empty() == !e.outOfStep) r.Breach("winner or outOfStep", "");
}

void Read(Reader& r, Welcome& w) {
  r.Name("user", w.user);
  r.Int("wins", 0, MaxRecord, w.wins);
  r.Int("losses", 0, MaxRecord, w.losses);
  r.String("resume", w.resume);
  r.Bool("registered", w.registered);
  if (!ValidResumeToken(w.resume)) r.Breach("bad field ", "resume");
}

void Read(Reader& r, Waiting& w) { r.Name("opponent", w.opponent, true); }
void Read(Reader&, Cancelled&) {}

void Read(Reader& r, Paired& p) {
  r.Name("opponent", p.opponent);
  r.Name("first", p.first);
}

void Read(Reader& r, Rejoined& j) {
  r.Name("opponent", j.opponent);
  r.Name("first", j.first);
  r.Int("throws", 0, MaxThrows, j.throws);
}

void Read(Reader& r, Away& a) { r.Int("seconds", 0, 3600, a.seconds); }
void Read(Reader&, Back&) {}

void Read(Reader& r, Ended& e) {
  r.String("reason", e.reason);
  r.Name("winner", e.winner, false, true);
  r.Int("wins", 0, MaxRecord, e.wins);
  r.Int("losses", 0, MaxRecord, e.losses);
  const bool outOfStep = e.reason == EndReason::OutOfStep;
  const bool known = outOfStep || e.reason == EndReason::Over || e.reason == EndReason::Left ||
                     e.reason == EndReason::Dropped || e.reason == EndReason::Timeout;
  if (!known) r.Breach("bad field ", "reason");
  if (e.winner.empty() != outOfStep) r.Breach("bad field ", "winner");
}

void Read(Reader& r, Bye& b) {
  r.String("reason", b.reason);
  r.String("text", b.text);
}

// The type names, in the order of the variant's alternatives.
constexpr const char* ClientTypes[] = {"hello", "play", "cancel", "throw", "end", "leave"};
constexpr const char* ServerTypes[] = {"welcome", "waiting", "cancelled", "paired", "rejoined",
                                       "throw",   "away",    "back",      "ended",  "bye"};
static_assert(std::size(ClientTypes) == std::variant_size_v<ClientMessage>);
static_assert(std::size(ServerTypes) == std::variant_size_v<ServerMessage>);

// Makes alternative `index` of the variant and reads it; the indices are walked at compile
// time, so adding a message type is one name in the list above and one Read.
template <typename Variant, std::size_t I = 0>
void ReadAlternative(std::size_t index, Reader& r, Variant& out) {
  if constexpr (I < std::variant_size_v<Variant>) {
    if (index != I) return ReadAlternative<Variant, I + 1>(index, r, out);
    Read(r, out.template emplace<I>());
  }
}

template <typename Variant, std::size_t N>
Decoded Decode(std::string_view text, const char* const (&types)[N], Variant& out, std::string& why) {
  const Json message = Json::parse(text.begin(), text.end(), nullptr, false);
  if (message.is_discarded()) return why = "not json", Decoded::Breach;
  if (!message.is_object()) return why = "not an object", Decoded::Breach;
  const auto type = message.find("type");
  if (type == message.end() || !type->is_string()) return why = "missing field type", Decoded::Breach;
  std::size_t index = 0;
  while (index < N && *type != types[index]) ++index;
  if (index == N) return why = "unknown type", Decoded::Breach;
  // The version comes before anything else, so that a later version may change the rest.
  if (*type == "hello") {
    const auto version = message.find("version");
    if (version != message.end() && version->is_number_integer() && *version != Version)
      return Decoded::OtherVersion;
  }
  Reader reader(message);
  if (*type == "hello") {
    int version = 0;
    reader.Int("version", Version, Version, version);
  }
  ReadAlternative(index, reader, out);
  if (!reader.Done()) return why = reader.Why(), Decoded::Breach;
  return Decoded::Ok;
}

// Writes the fields of each message, `type` first.
Json Fields(const Throw& t) {
  return {{"n", t.n},
          {"power", t.power},
          {"aim", t.aim},
          {"flightPower", t.flightPower},
          {"flightAim", t.flightAim},
          {"bounce", t.bounce},
          {"result", t.result}};
}
Json Fields(const Hello& h) {
  if (!h.resume.empty()) return {{"version", h.version}, {"resume", h.resume}, {"seen", h.seen}};
  return {{"version", h.version}, {"user", h.user}, {"password", h.password}};
}
Json Fields(const Play& p) { return {{"opponent", p.opponent}}; }
Json Fields(const Cancel&) { return Json::object(); }
Json Fields(const Leave&) { return Json::object(); }
Json Fields(const End& e) {
  if (e.outOfStep) return {{"n", e.n}, {"outOfStep", true}};
  return {{"n", e.n}, {"winner", e.winner}};
}
Json Fields(const Welcome& w) {
  return {{"user", w.user}, {"wins", w.wins}, {"losses", w.losses}, {"resume", w.resume},
          {"registered", w.registered}};
}
Json Fields(const Waiting& w) { return {{"opponent", w.opponent}}; }
Json Fields(const Cancelled&) { return Json::object(); }
Json Fields(const Paired& p) { return {{"opponent", p.opponent}, {"first", p.first}}; }
Json Fields(const Rejoined& j) { return {{"opponent", j.opponent}, {"first", j.first}, {"throws", j.throws}}; }
Json Fields(const Away& a) { return {{"seconds", a.seconds}}; }
Json Fields(const Back&) { return Json::object(); }
Json Fields(const Ended& e) {
  Json fields = {{"reason", e.reason}};
  if (!e.winner.empty()) fields["winner"] = e.winner;
  fields["wins"] = e.wins;
  fields["losses"] = e.losses;
  return fields;
}
Json Fields(const Bye& b) { return {{"reason", b.reason}, {"text", b.text}}; }

template <typename Variant, std::size_t N>
std::string EncodeAny(const Variant& message, const char* const (&types)[N]) {
  Json out = {{"type", types[message.index()]}};
  std::visit([&out](const auto& m) { out.update(Fields(m)); }, message);
  // A string that is not UTF-8 is written with replacement characters rather than thrown.
  return out.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

const char* ByeText(std::string_view reason) {
  static constexpr std::pair<const char*, const char*> Texts[] = {
      {ByeReason::Version, "This server speaks another version of the game."},
      {ByeReason::Credentials, "The server refused this user name and password."},
      {ByeReason::Registrations, "Too many new user names from your address; try again in an hour."},
      {ByeReason::Attempts, "Too many failed log-ons; try again in a minute."},
      {ByeReason::Connections, "Too many connections from your address."},
      {ByeReason::Resume, "The game you were in is over."},
      {ByeReason::TakenOver, "Your user name logged on from somewhere else."},
      {ByeReason::Shutdown, "The server is going down."},
  };
  for (const auto& [name, text] : Texts)
    if (reason == name) return text;
  return "";
}

Decoded DecodeClient(std::string_view text, ClientMessage& out, std::string& why) {
  return Decode(text, ClientTypes, out, why);
}

Decoded DecodeServer(std::string_view text, ServerMessage& out, std::string& why) {
  return Decode(text, ServerTypes, out, why);
}

std::string Encode(const ClientMessage& message) { return EncodeAny(message, ClientTypes); }
std::string Encode(const ServerMessage& message) { return EncodeAny(message, ServerTypes); }

}  // namespace protocol
