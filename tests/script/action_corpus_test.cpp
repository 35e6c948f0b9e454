// Every action block of the real files in ../shared/corpus, decoded into action objects and
// written back, must give the bytes it was read from: frame and init scripts, the actions of
// DefineButton and the condition actions of DefineButton2, and the clip actions of placements,
// on the main timeline and inside sprites.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "script/action.h"
#include "script/tags_action.h"
#include "swf/tag_factory.h"
#include "swf/tags_button.h"
#include "swf/tags_display.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
namespace fs = std::filesystem;

fs::path CorpusRoot() {
  const char* root = std::getenv("ORVANTA_SOURCE_DIR");
  return fs::path(root ? root : ".") / ".." / "shared" / "corpus";
}

Bytes ListBytes(const TSWFActionList& List) {
  return test::Written([&](TBitsEngine& e) { List.WriteToStream(e); });
}

std::string Hex(const Bytes& B, size_t From, size_t Count) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (size_t i = From; i < std::min(B.size(), From + Count); ++i) {
    out += digits[B[i] >> 4];
    out += digits[B[i] & 15];
  }
  return out;
}

// Where two byte strings first part, for a failure message.
std::string Difference(const Bytes& Want, const Bytes& Got) {
  size_t at = 0;
  while (at < Want.size() && at < Got.size() && Want[at] == Got[at]) ++at;
  size_t from = at > 8 ? at - 8 : 0;
  return "lengths " + std::to_string(Want.size()) + " and " + std::to_string(Got.size()) +
         ", first difference at byte " + std::to_string(at) + ": file ..." + Hex(Want, from, 24) +
         " written ..." + Hex(Got, from, 24);
}

// Blocks that no reading can give back byte for byte, and why.
struct TKnownDifference {
  const char* File;
  const char* Kind;
  const char* Reason;
};
const TKnownDifference kKnownDifferences[] = {
    {"ruffle/tests/timeline/clip_action_no_key_code/original.swf", "clip action",
     "its clip action records hold no byte at all, not even the end flag that closes every "
     "action block; the placement writes that end flag"},
};

const TKnownDifference* KnownDifference(const std::string& File, const std::string& Kind) {
  for (const TKnownDifference& known : kKnownDifferences)
    if (File == known.File && Kind == known.Kind) return &known;
  return nullptr;
}

struct TBlockStats {
  int Blocks = 0;
  int Exact = 0;
  int Actions = 0;
};

// Compares the action blocks of one tag; Body is the tag's body in the file, Parsed the object
// the reader made of it with actions decoded.
class TCorpusChecker {
 public:
  std::map<std::string, TBlockStats> Stats;
  std::vector<std::string> Failures;
  // Tags that do not read even with their actions kept as bytes.
  std::vector<std::string> Unreadable;

  // The file being checked, for the known differences.
  std::string File;
  int Known = 0;

  void CheckTag(const std::string& Where, TSWFObject& Parsed, const Bytes& Body) {
    if (auto* doAction = dynamic_cast<TSWFDoAction*>(&Parsed)) {  // DoInitAction too
      const char* kind = dynamic_cast<TSWFDoInitAction*>(&Parsed) ? "DoInitAction" : "DoAction";
      Compare(kind, Where, Body, test::BodyBytes(*doAction), doAction->Actions());
      // Imported movies keep their scripts as bytes: that form must not change them either.
      auto raw = ReadRaw<TSWFDoAction>(Parsed, Body);
      if (test::BodyBytes(*raw) != Body)
        Fail(Where, std::string(kind) + " kept as bytes is written differently: " +
                        Difference(Body, test::BodyBytes(*raw)));
    } else if (auto* button = dynamic_cast<TSWFDefineButton*>(&Parsed)) {
      auto raw = ReadRaw<TSWFDefineButton>(Parsed, Body);
      Compare("DefineButton", Where, RawBlock(raw->Actions), ListBytes(button->Actions),
              button->Actions);
    } else if (auto* button2 = dynamic_cast<TSWFDefineButton2*>(&Parsed)) {
      auto raw = ReadRaw<TSWFDefineButton2>(Parsed, Body);
      if (raw->Actions.size() != button2->Actions.size()) {
        Fail(Where, "DefineButton2 has " + std::to_string(raw->Actions.size()) +
                        " condition actions raw but " + std::to_string(button2->Actions.size()) +
                        " decoded");
        return;
      }
      for (size_t i = 0; i < raw->Actions.size(); ++i)
        Compare("DefineButton2 condition", Where + " condition " + std::to_string(i),
                RawBlock(*raw->Actions[i]), ListBytes(*button2->Actions[i]), *button2->Actions[i]);
    } else if (auto* place = dynamic_cast<TSWFPlaceObject2*>(&Parsed)) {  // PlaceObject3 too
      const TSWFClipActions* clip = place->ExistingClipActions();
      if (!clip || !place->HasClipActions) return;
      auto raw = ReadRaw<TSWFPlaceObject2>(Parsed, Body);
      const TSWFClipActions* rawClip = raw->ExistingClipActions();
      if (!rawClip || rawClip->Records.size() != clip->Records.size()) {
        Fail(Where, "clip action records differ between the raw and the decoded read");
        return;
      }
      for (size_t i = 0; i < clip->Records.size(); ++i) {
        // A record's raw bytes hold its end flag; the decoded list does not.
        const TSWFActionList& actions = clip->Records[i]->Actions;
        Bytes written = ListBytes(actions);
        written.push_back(0);
        Compare("clip action", Where + " clip record " + std::to_string(i),
                RawBlock(rawClip->Records[i]->Actions), written, actions);
      }
    }
  }

  void Fail(const std::string& Where, const std::string& What) {
    Failures.push_back(Where + ": " + What);
  }

 private:
  // The same body read again by the tag's class with actions kept as bytes: the class's own
  // reading of where each block starts and ends.
  template <class T>
  std::unique_ptr<T> ReadRaw(TSWFObject& Parsed, const Bytes& Body) {
    std::unique_ptr<TSWFObject> tag = CreateTagByCode(Parsed.TagID);
    auto* typed = dynamic_cast<T*>(tag.get());
    if (!typed) throw std::logic_error("unexpected tag class");
    if constexpr (std::is_base_of_v<TSWFPlaceObject2, T>)
      typed->EventVersion = dynamic_cast<TSWFPlaceObject2&>(Parsed).EventVersion;
    typed->ParseActions = false;
    typed->BodySize = static_cast<uint32_t>(Body.size());
    TMemoryViewStream stream(Body);
    TBitsEngine engine(stream);
    typed->ReadFromStream(engine);
    tag.release();
    return std::unique_ptr<T>(typed);
  }

  static Bytes RawBlock(const TSWFActionList& List) {
    Bytes out;
    for (const auto& action : List) {
      auto* raw = dynamic_cast<const TSWFActionByteCode*>(action.get());
      if (raw) out.insert(out.end(), raw->Data.begin(), raw->Data.end());
    }
    return out;
  }

  void Compare(const std::string& Kind, const std::string& Where, const Bytes& Original,
               const Bytes& Written, const TSWFActionList& Decoded) {
    TBlockStats& s = Stats[Kind];
    ++s.Blocks;
    s.Actions += static_cast<int>(Decoded.Count());
    TSWFActionList copy;
    CopyActionList(Decoded, copy);
    if (ListBytes(copy) != ListBytes(Decoded)) Fail(Where, Kind + " is copied differently");
    if (Original == Written) {
      ++s.Exact;
    } else if (KnownDifference(File, Kind)) {
      ++Known;
    } else {
      Fail(Where, Kind + " written differently: " + Difference(Original, Written));
    }
  }
};

bool HoldsActions(uint16_t Code) {
  return Code == 12 || Code == 59 || Code == 7 || Code == 34 || Code == 26 || Code == 70 ||
         Code == 39;
}

// The body of a tag as it stands in the reader's uncompressed file body.
Bytes TagBody(const Bytes& Body, const TSWFTagInfo& Info) {
  uint64_t start = uint64_t{Info.Position} + (Info.LongHeader ? 6 : 2);
  uint64_t end = std::min<uint64_t>(start + Info.BodySize, Body.size());
  if (start > end) return {};
  return Bytes(Body.begin() + static_cast<long>(start), Body.begin() + static_cast<long>(end));
}

bool ReadsWithRawActions(uint16_t Code, const Bytes& Body, int Version) {
  std::unique_ptr<TSWFObject> tag = CreateTagByCode(Code);
  if (auto* place = dynamic_cast<TSWFPlaceObject2*>(tag.get())) place->EventVersion = Version;
  if (auto* sprite = dynamic_cast<TSWFDefineSprite*>(tag.get())) sprite->EventVersion = Version;
  tag->BodySize = static_cast<uint32_t>(Body.size());
  TMemoryViewStream stream(Body);
  TBitsEngine engine(stream);
  try {
    tag->ReadFromStream(engine);
  } catch (const Error&) {
    return false;
  }
  return true;
}

void CheckTags(TCorpusChecker& Checker, const std::string& Name, const Bytes& Body, int Version,
               const std::vector<std::unique_ptr<TSWFTagInfo>>& Tags, const std::string& Prefix) {
  for (size_t i = 0; i < Tags.size(); ++i) {
    const TSWFTagInfo& info = *Tags[i];
    const std::string where = Name + ": " + Prefix + "tag " + std::to_string(i) + " (" +
                              TSWFStreamReader::TagName(info.StoredCode()) + ")";
    if (!HoldsActions(info.StoredCode())) continue;
    if (!info.ReadError.empty()) {
      // Only a failure of the action decoding is of interest here.
      if (ReadsWithRawActions(info.StoredCode(), TagBody(Body, info), Version))
        Checker.Fail(where, "fails to read only with its actions decoded: " + info.ReadError);
      else
        Checker.Unreadable.push_back(where + ": " + info.ReadError);
      continue;
    }
    if (!info.SubTags.empty())
      CheckTags(Checker, Name, Body, Version, info.SubTags,
                Prefix + "sprite " + std::to_string(i) + " ");
    TSWFObject* object = info.TagObject();
    if (!object) continue;
    Checker.CheckTag(where, *object, TagBody(Body, info));
  }
}

TEST(ActionCorpus, EveryActionBlockWritesBackUnchanged) {
  const fs::path corpus = CorpusRoot();
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(corpus))
    if (entry.is_regular_file() && entry.path().extension() == ".swf")
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());

  TCorpusChecker checker;
  int withActions = 0;
  for (const fs::path& path : files) {
    const std::string name = fs::relative(path, corpus).string();
    std::unique_ptr<TSWFStreamReader> reader;
    try {
      reader = std::make_unique<TSWFStreamReader>(path.string());
    } catch (const Error&) {
      continue;  // files the reader refuses are the reader's tests' business
    }
    if (!reader->Valid) continue;
    reader->ParseTags(true, true);
    checker.File = name;
    const size_t before = checker.Failures.size();
    int blocksBefore = 0;
    for (auto& [kind, s] : checker.Stats) blocksBefore += s.Blocks;
    CheckTags(checker, name, reader->BodyStream().Bytes(), reader->Version(), reader->TagList, "");
    int blocksAfter = 0;
    for (auto& [kind, s] : checker.Stats) blocksAfter += s.Blocks;
    if (blocksAfter > blocksBefore || checker.Failures.size() > before) ++withActions;
  }

  std::cout << "action corpus: " << files.size() << " files, " << withActions
            << " with action blocks, " << checker.Known << " blocks known to differ\n";
  for (const TKnownDifference& known : kKnownDifferences)
    std::cout << "  known: " << known.File << ": " << known.Reason << "\n";
  for (const auto& [kind, s] : checker.Stats)
    std::cout << "  " << kind << ": " << s.Blocks << " blocks, " << s.Exact << " exact, "
              << s.Actions << " actions\n";
  for (const std::string& u : checker.Unreadable) std::cout << "  unreadable: " << u << "\n";
  for (const std::string& f : checker.Failures) ADD_FAILURE() << f;
  EXPECT_GT(checker.Stats["DoAction"].Blocks, 0);
}

}  // namespace
}  // namespace orvanta
