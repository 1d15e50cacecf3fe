#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/Form.h"
#include "platform/core/Timer.h"

namespace kestrel {

class ClientCall;

// The editor's own caption table: row 0 its title, row 1 the header line of a new directory.
std::string_view EditorCaption(std::uint8_t row, std::uint8_t languageIndex);

// A directory row split into the editor's number and comment fields.
struct DirectoryRow {
    std::string number;
    std::string comment;
};
DirectoryRow SplitDirectoryRow(std::string_view row);
// The row the two fields make.
std::string JoinDirectoryRow(const std::string& number, const std::string& comment);

// The editor keeps its rows in a list with 16-bit counters.
inline constexpr std::size_t kEditorRowLimit = 65535;

// The phone directory editor: every non-empty line of the directory in a list with an empty row
// for adding, edited through a number and a comment field, saved on request.
class TEditorAdrM : public platform::Form {
  public:
    explicit TEditorAdrM(ClientCall& call);

    platform::Control& pList;
    platform::Control& ListBox1;
    platform::Control& pEdit;
    platform::Control& LabeledEdit1;
    platform::Control& LabeledEdit2;
    platform::Control& BitBtn1;
    platform::Control& BitBtn2;
    platform::Control& BitBtn3;
    platform::Timer Timer1;

  private:
    void Timer1Timer();
    void ApplyCaptionRow();
    // Creates a missing directory and loads the rows; false when the file cannot be edited.
    bool EnsureAndLoad();
    void ShowSelectedRow();
    void FieldKeyUp();
    void BitBtn1Click();
    void BitBtn3Click();
    // Writes the non-empty rows but the one at `skipped` (none when negative).
    bool WriteRows(int skipped);
    void CloseWindow();

    ClientCall& call_;
    bool closing_ = false;
};

}  // namespace kestrel
