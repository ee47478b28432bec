#pragma once
// CSummaryWindow: the modeless, read-only "Information of the Summary" tool
// window that shows the current profile's summary beside the main window.
#include <windows.h>

#include <cstdint>
#include <string>

#include "fw/dialog.h"

namespace gd {

class CSummaryWindow : public CDialog {
  public:
    // Texts empty, width and height the primary screen's size. Create(parent)
    // makes the window, hidden; its owner shows and hides it.
    CSummaryWindow();

    // Copies the texts and shows them. A width of 0 stands for the primary
    // screen's current size, whatever the height.
    void ShowSummary(const std::string& name, const std::string& game, const std::string& author,
                     const std::string& comment, std::int32_t width, std::int32_t height);

    // What the window shows, as of the last ShowSummary.
    std::string name;
    std::string game;
    std::string author;
    std::string comment;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string resolution;  // "%dx%d" of width and height

  protected:
    // Made hidden beside the main window at the start, it takes no focus: the
    // keyboard stays in the main window until the user comes here.
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    // Enter leaves the window as it is; Escape hides it, as its close box does.
    void OnOK() override {}
};

}  // namespace gd
