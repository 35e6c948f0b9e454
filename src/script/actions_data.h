#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "script/actions_basic.h"

namespace orvanta {

// Raises FormatError when Flags has any of the Reserved bits set.
void CheckReserved(uint8_t Flags, uint8_t Reserved);

class TSWFActionGotoFrame : public TSWFAction {
 public:
  TSWFActionGotoFrame() : TSWFAction(0x81) {}
  uint16_t Frame = 0;

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
};

// The URL goes out as UTF-8 (converted from cp1252 text); the target is written as it is.
class TSWFActionGetUrl : public TSWFAction {
 public:
  TSWFActionGetUrl() : TSWFAction(0x83) {}
  std::string UrlString;
  std::string TargetString;

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;

 private:
  // A URL read from a file is decoded to text; while the text stays as read, the original
  // bytes are written back, so that a URL cp1252 cannot hold survives unchanged.
  std::string readBytes_;
  std::string readText_;
};

class TSWFActionWaitForFrame : public TSWFAction {
 public:
  TSWFActionWaitForFrame() : TSWFAction(0x8A) {}
  uint16_t Frame = 0;
  uint8_t SkipCount = 0;

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
};

class TSWFActionSetTarget : public TSWFAction {
 public:
  TSWFActionSetTarget() : TSWFAction(0x8B) {}
  std::string TargetName;

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
};

class TSWFActionGoToLabel : public TSWFAction {
 public:
  TSWFActionGoToLabel() : TSWFAction(0x8C) {}
  std::string Label;

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
};

// The frame comes from the stack; the record holds the number of actions to skip.
class TSWFActionWaitForFrame2 : public TSWFAction4 {
 public:
  TSWFActionWaitForFrame2() : TSWFAction4(0x8D) {}
  uint8_t SkipCount = 0;

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
};

class TSWFActionGetURL2 : public TSWFAction4 {
 public:
  TSWFActionGetURL2() : TSWFAction4(0x9A) {}
  bool LoadVariablesFlag = false;
  bool LoadTargetFlag = false;
  // 0 none, 1 GET, 2 POST.
  uint8_t SendVarsMethod = 0;

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
};

class TSWFActionGotoFrame2 : public TSWFAction4 {
 public:
  TSWFActionGotoFrame2() : TSWFAction4(0x9F) {}
  bool SceneBiasFlag = false;
  bool PlayFlag = false;
  uint16_t SceneBias = 0;

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
};

class TSWFActionStoreRegister : public TSWFAction5 {
 public:
  TSWFActionStoreRegister() : TSWFAction5(0x87) {}
  uint8_t RegisterNumber = 0;

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
};

// The count written is the number of strings held.
class TSWFActionConstantPool : public TSWFAction5 {
 public:
  TSWFActionConstantPool() : TSWFAction5(0x88) {}
  std::vector<std::string> ConstantPool;

  void Assign(const TSWFAction& Source) override;
  // Length becomes the bytes the strings actually took.
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
};

}  // namespace orvanta
