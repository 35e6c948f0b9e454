#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>

#include "builders/standard_builders.h"
#include "platform/template_pack.h"
#include "project/content_builder.h"
#include "shell/editor_session.h"
#include "shell/embedded_templates.h"

namespace orvanta {

// A builder that holds the build until the test lets it go, to catch a rebuild in the act.
class TGateBuilder : public TContentBuilder {
 public:
  TBuildStage Stage() const override { return TBuildStage::StaticTexts; }
  std::vector<TBuiltItem> Build(TFlashMovie&, const TPageState&, const TDepthPlan&,
                                TBuildContext&) override {
    std::unique_lock lock(mutex_);
    entered_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
    return {};
  }
  void Close() {
    std::lock_guard lock(mutex_);
    open_ = false;
    entered_ = false;
  }
  void WaitEntered() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return entered_; });
  }
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = true, entered_ = false;
};

// A session on the real builders with its own working folder and a "home" to save into.
class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("orvanta_srv_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
            std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "home");
    std::filesystem::create_directories(dir_ / "work");
    session_ = std::make_unique<TEditorSession>(
        TSessionConfig{ORVANTA_DATA_ROOT,
                       dir_ / "work",
                       {{"home", dir_ / "home"}, {"data", ORVANTA_DATA_ROOT}},
                       7,
                       &templates_,
                       [this](TBuildDriver& driver) {
                         AddStandardBuilders(driver, templates_);
                         auto gate = std::make_unique<TGateBuilder>();
                         gate_ = gate.get();
                         driver.AddBuilder(std::move(gate));
                       }});
  }
  void TearDown() override {
    session_.reset();
    std::filesystem::remove_all(dir_);
  }
  uint64_t Revision() const { return session_->State()["revision"].get<uint64_t>(); }

  std::filesystem::path dir_;
  TTemplatePack templates_{EmbeddedTemplatePack()};
  TGateBuilder* gate_ = nullptr;
  std::unique_ptr<TEditorSession> session_;
};

}  // namespace orvanta
