#include "shell/swf_commands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"
#include "swf/swf_object.h"

namespace orvanta {

namespace {

// Opens a SWF file, saying plainly what it is when it is not one we read.
std::unique_ptr<TSWFStreamReader> OpenSwf(const std::string& fileName) {
  auto reader = std::make_unique<TSWFStreamReader>(fileName);
  if (reader->Valid) return reader;
  throw FormatError(fileName + " is not a SWF file (it does not start with FWS, CWS or ZWS)");
}

std::string Number(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

struct THeaderFacts {
  std::string Signature;
  int Version;
  uint32_t FileLength;
  TSWFRect FrameSize;
  double FrameRate;
  int FrameCount;
};

THeaderFacts Facts(const TSWFStreamReader& reader) {
  const SWFHeader& h = reader.Header();
  return {std::string(h.Signature, 3), h.Version,   h.FileLength, h.FrameSize,
          Fixed8ToFloat(h.FrameRate),  h.FrameCount};
}

void PrintTagLine(const TSWFTagInfo& info, const std::string& index, bool inner,
                  std::ostream& out) {
  uint16_t code = info.StoredCode();
  std::string name = (inner ? "  " : "") + TSWFStreamReader::TagName(code);
  out << std::setw(7) << index << "  " << std::setw(4) << code << "  " << std::left << std::setw(32)
      << name << std::right << std::setw(10) << info.BodySize << "  "
      << (info.LongHeader ? "long  " : "short ") << "  " << std::setw(5) << info.FrameNum;
  const std::string& error = info.ReadError;
  if (!error.empty()) out << "  ! " << error;
  out << "\n";
}

void PrintTagJson(const TSWFTagInfo& info, size_t index, std::ostream& out,
                  const std::string& indent) {
  uint16_t code = info.StoredCode();
  out << indent << "{\"index\": " << index << ", \"code\": " << code
      << ", \"name\": " << JsonString(TSWFStreamReader::TagName(code))
      << ", \"length\": " << info.BodySize
      << ", \"longHeader\": " << (info.LongHeader ? "true" : "false")
      << ", \"frame\": " << info.FrameNum << ", \"offset\": " << info.Position;
  const std::string& error = info.ReadError;
  if (!error.empty()) out << ", \"error\": " << JsonString(error);
  if (!info.SubTags.empty()) {
    out << ", \"subTags\": [\n";
    for (size_t i = 0; i < info.SubTags.size(); ++i) {
      PrintTagJson(*info.SubTags[i], i, out, indent + "  ");
      out << (i + 1 < info.SubTags.size() ? ",\n" : "\n");
    }
    out << indent << "]";
  }
  out << "}";
}

class TSwfCommandLine : public TSwfCommands {
 public:
  explicit TSwfCommandLine(CLI::App& app) {
    group_ = app.add_subcommand("swf", "Inspect and rewrite SWF files");
    group_->require_subcommand(1);

    info_ = group_->add_subcommand("info", "Print the header of a SWF file");
    info_->add_option("FILE", infoFile_, "SWF file")->required();

    dump_ = group_->add_subcommand("dump", "List the tags of a SWF file");
    dump_->add_option("FILE", dumpFile_, "SWF file")->required();
    dump_->add_flag("--json", json_, "Print JSON instead of a table");

    rewrite_ = group_->add_subcommand(
        "rewrite", "Read every tag into objects and write the file again from them");
    rewrite_->add_option("IN", inFile_, "SWF file to read")->required();
    rewrite_->add_option("OUT", outFile_, "SWF file to write")->required();
    compressOption_ = rewrite_->add_flag("--compress,!--no-compress", compress_,
                                         "Write CWS (zlib) or FWS; the input's form by default");
  }

  bool Selected() const override { return group_->parsed(); }

  int Run() override {
    if (info_->parsed()) {
      PrintSwfInfo(infoFile_, std::cout);
    } else if (dump_->parsed()) {
      PrintSwfDump(dumpFile_, json_, std::cout);
    } else if (rewrite_->parsed()) {
      RewriteSwf(inFile_, outFile_, compressOption_->count() ? (compress_ ? 1 : 0) : -1, std::cout);
    }
    return 0;
  }

 private:
  CLI::App* group_ = nullptr;
  CLI::App* info_ = nullptr;
  CLI::App* dump_ = nullptr;
  CLI::App* rewrite_ = nullptr;
  CLI::Option* compressOption_ = nullptr;
  std::string infoFile_, dumpFile_, inFile_, outFile_;
  bool json_ = false;
  bool compress_ = false;
};

}  // namespace

std::unique_ptr<TSwfCommands> AddSwfCommands(CLI::App& app) {
  return std::make_unique<TSwfCommandLine>(app);
}

void PrintSwfInfo(const std::string& fileName, std::ostream& out) {
  auto reader = OpenSwf(fileName);
  reader->ParseTags(false, false);
  THeaderFacts h = Facts(*reader);
  const TSWFRect& r = h.FrameSize;
  const TSWFCompression compression = reader->Compression();
  out << "signature    " << h.Signature
      << (compression == TSWFCompression::Zlib   ? " (zlib)"
          : compression == TSWFCompression::Lzma ? " (LZMA)"
                                                 : "")
      << "\n"
      << "version      " << h.Version << "\n"
      << "file length  " << h.FileLength << " bytes\n"
      << "frame size   " << r.Xmin() << "," << r.Ymin() << " - " << r.Xmax() << "," << r.Ymax()
      << " twips (" << Number((r.Xmax() - r.Xmin()) / 20.0) << " x "
      << Number((r.Ymax() - r.Ymin()) / 20.0) << " pixels)\n"
      << "frame rate   " << Number(h.FrameRate) << " fps\n"
      << "frame count  " << h.FrameCount << "\n"
      << "tag count    " << reader->TagList.size() << "\n";
}

void PrintSwfDump(const std::string& fileName, bool json, std::ostream& out) {
  auto reader = OpenSwf(fileName);
  reader->ParseTags(true, false);
  if (json) {
    THeaderFacts h = Facts(*reader);
    out << "{\"file\": " << JsonString(fileName) << ",\n \"signature\": " << JsonString(h.Signature)
        << ", \"version\": " << h.Version << ", \"fileLength\": " << h.FileLength
        << ",\n \"frameSize\": {\"xmin\": " << h.FrameSize.Xmin()
        << ", \"ymin\": " << h.FrameSize.Ymin() << ", \"xmax\": " << h.FrameSize.Xmax()
        << ", \"ymax\": " << h.FrameSize.Ymax() << "}, \"frameRate\": " << Number(h.FrameRate)
        << ", \"frameCount\": " << h.FrameCount << ",\n \"tags\": [\n";
    for (size_t i = 0; i < reader->TagList.size(); ++i) {
      PrintTagJson(*reader->TagList[i], i, out, "  ");
      out << (i + 1 < reader->TagList.size() ? ",\n" : "\n");
    }
    out << "]}\n";
    return;
  }
  out << std::setw(7) << "index"
      << "  " << std::setw(4) << "code"
      << "  " << std::left << std::setw(32) << "name" << std::right << std::setw(10) << "length"
      << "  header  frame\n";
  for (size_t i = 0; i < reader->TagList.size(); ++i) {
    const TSWFTagInfo& info = *reader->TagList[i];
    PrintTagLine(info, std::to_string(i), false, out);
    for (size_t j = 0; j < info.SubTags.size(); ++j)
      PrintTagLine(*info.SubTags[j], std::to_string(i) + "." + std::to_string(j), true, out);
  }
}

void RewriteSwf(const std::string& inName, const std::string& outName, int compress,
                std::ostream& out) {
  auto reader = OpenSwf(inName);
  reader->ParseTags(true, false);
  size_t failed = 0;
  for (const auto& info : reader->TagList)
    if (!info->ReadError.empty()) ++failed;
  reader->MakeData();
  if (compress >= 0) reader->SetCompressed(compress == 1);
  reader->SaveToFile(outName);
  out << "wrote " << outName << " (" << std::filesystem::file_size(outName) << " bytes, SWF "
      << reader->Version() << ", " << (reader->Compressed() ? "CWS" : "FWS") << ", "
      << reader->TagList.size() << " tags";
  if (failed) out << "; " << failed << " kept as raw bytes after read errors";
  out << ")\n";
}

}  // namespace orvanta
