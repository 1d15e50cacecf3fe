#include "EditAM.h"

#include <array>

#include "ClientCall.h"
#include "PhoneDirectory.h"
#include "shared/Helpers.h"

namespace kestrel {

using platform::Align;
using platform::ControlKind;

namespace {

using Row = std::array<std::string_view, 3>;

constexpr std::array<Row, 2> kEditorCaptions = {{
    {"РЕДАКТОР - \"НОМЕР ТЕЛЕФОНУ\"", "РЕДАКТОР - \"НОМЕР ТЕЛЕФОНА\"", "EDITOR - \"PHONE NUMBER\""},
    {"//довідник телефонів", "//справочник телефонов", "// directory of phones"},
}};

// A directory longer than the editor can hold is not opened, so that a save cannot cut it short.
constexpr Row kTooLongTexts = {
    "Довідник задовгий для редактора (понад 65535 рядків), файл не змінено: ",
    "Справочник слишком длинный для редактора (более 65535 строк), файл не изменен: ",
    "The directory is too long for the editor (over 65535 lines); the file is left as it is: ",
};

std::string_view InLanguage(const Row& row, std::uint8_t languageIndex) {
    return row[languageIndex >= 1 && languageIndex <= 3 ? languageIndex - 1 : 0];
}

platform::Control& Button(platform::Control& parent, const char* name, int left) {
    return platform::AddControl(parent, ControlKind::Button, name, {left, 100, 110, 28});
}

}  // namespace

std::string_view EditorCaption(std::uint8_t row, std::uint8_t languageIndex) {
    return InLanguage(kEditorCaptions[row < kEditorCaptions.size() ? row : 0], languageIndex);
}

DirectoryRow SplitDirectoryRow(std::string_view row) {
    const auto slashes = row.find("//");
    // A row without a comment (written by other means) is all number.
    if (slashes == std::string_view::npos) {
        return {shared::TrimSpaces(row), {}};
    }
    return {shared::TrimSpaces(row.substr(0, slashes)),
            shared::TrimLeftSpaces(row.substr(slashes + 2))};
}

std::string JoinDirectoryRow(const std::string& number, const std::string& comment) {
    return number + " // " + shared::TrimLeftSpaces(comment);
}

TEditorAdrM::TEditorAdrM(ClientCall& call)
    : Form("EditorAdrM"),
      pList(platform::AddControl(*this, ControlKind::Panel, "pList", {0, 0, 0, 0})),
      ListBox1(platform::AddControl(pList, ControlKind::ListBox, "ListBox1", {})),
      pEdit(platform::AddControl(*this, ControlKind::Panel, "pEdit", {0, 0, 0, 140})),
      LabeledEdit1(
          platform::AddControl(pEdit, ControlKind::LabeledEdit, "LabeledEdit1", {8, 24, 264, 24})),
      LabeledEdit2(platform::AddControl(pEdit, ControlKind::LabeledEdit, "LabeledEdit2",
                                        {216, 24, 336, 24})),
      BitBtn1(Button(pEdit, "BitBtn1", 8)),
      BitBtn2(Button(pEdit, "BitBtn2", 126)),
      BitBtn3(Button(pEdit, "BitBtn3", 442)),
      Timer1(call.links.host.loop, 100, true),
      call_(call) {
    setBounds({0, 0, 560, 420});
    setBorderStyle(platform::BorderStyle::Single);
    setPosition(platform::Position::Designed);
    pEdit.setAlign(Align::Bottom);
    pList.setAlign(Align::Client);
    ListBox1.setAlign(Align::Client);
    LabeledEdit1.setFont({"Courier New", 10, false, false, false});
    ListBox1.setFont({"Courier New", 10, false, false, false});

    Timer1.onTick([this] { Timer1Timer(); });
    ListBox1.onChange = [this] { ShowSelectedRow(); };
    LabeledEdit1.onKeyUp = [this](int) { FieldKeyUp(); };
    LabeledEdit2.onKeyUp = [this](int) { FieldKeyUp(); };
    BitBtn1.onClick = [this] { BitBtn1Click(); };
    BitBtn2.onClick = [this] { CloseWindow(); };
    BitBtn3.onClick = [this] { BitBtn3Click(); };
    // No close box: the window closes through its save and cancel buttons.
    onCloseQuery = [this] { return closing_; };
}

void TEditorAdrM::Timer1Timer() {
    Timer1.setEnabled(false);
    const ClientCallLinks& links = call_.links;
    LabeledEdit2.setLabel(CallText(links, EditorTexts::EditorComment));
    BitBtn1.setText(CallText(links, EditorTexts::EditorSave));
    BitBtn2.setText(CallText(links, EditorTexts::EditorCancel));
    BitBtn3.setText(CallText(links, EditorTexts::EditorDelete));
    ApplyCaptionRow();
    if (!EnsureAndLoad()) {
        CloseWindow();
        return;
    }
    ListBox1.setItemIndex(0);
    ShowSelectedRow();
}

void TEditorAdrM::ApplyCaptionRow() {
    const std::string caption(
        EditorCaption(call_.EditorCaptionRow, call_.links.values.program.LanguageIndex));
    setText(caption);
    LabeledEdit1.setLabel(caption);
}

bool TEditorAdrM::EnsureAndLoad() {
    const ClientCallLinks& links = call_.links;
    const auto path = PhoneDirectoryPath(links.values.program.ProgramFolder);
    const std::string created = EnsurePhoneDirectory(
        path, std::string(EditorCaption(1, links.values.program.LanguageIndex)));
    if (!created.empty()) {
        links.host.desktop.reportError(created);
    }
    const shared::TextFileRead file = shared::ReadTextFile(path);
    // A directory that cannot be read is not opened, so that a save cannot overwrite it.
    if (file.status == shared::TextFileRead::Status::Failed) {
        links.host.desktop.reportError(file.error);
        return false;
    }
    std::vector<std::string> rows = NonEmptyLines(file.lines);
    if (rows.size() >= kEditorRowLimit) {
        links.host.desktop.messageBox(
            platform::BoxIcon::Error,
            std::string(InLanguage(kTooLongTexts, links.values.program.LanguageIndex)) +
                path.string(),
            platform::BoxButtons::Ok);
        return false;
    }
    rows.emplace_back();
    ListBox1.setItems(rows);
    return true;
}

void TEditorAdrM::ShowSelectedRow() {
    const int index = ListBox1.itemIndex();
    const auto& rows = ListBox1.items();
    const DirectoryRow row = index >= 0 && std::size_t(index) < rows.size()
                                 ? SplitDirectoryRow(rows[std::size_t(index)])
                                 : DirectoryRow{};
    LabeledEdit1.setText(row.number);
    LabeledEdit2.setText(row.comment);
}

void TEditorAdrM::FieldKeyUp() {
    const int index = ListBox1.itemIndex();
    std::vector<std::string> rows = ListBox1.items();
    if (index < 0 || std::size_t(index) >= rows.size()) {
        return;
    }
    rows[std::size_t(index)] = JoinDirectoryRow(LabeledEdit1.text(), LabeledEdit2.text());
    // The adding row was just filled: offer a new one.
    if (!rows.back().empty() && rows.size() < kEditorRowLimit) {
        rows.emplace_back();
    }
    ListBox1.setItems(rows);
}

bool TEditorAdrM::WriteRows(int skipped) {
    std::vector<std::string> lines;
    const auto& rows = ListBox1.items();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].empty() && int(i) != skipped) {
            lines.push_back(rows[i]);
        }
    }
    const std::string error =
        shared::WriteTextFile(PhoneDirectoryPath(call_.links.values.program.ProgramFolder), lines);
    if (!error.empty()) {
        call_.links.host.desktop.reportError(error);
        return false;
    }
    return true;
}

void TEditorAdrM::BitBtn1Click() {
    if (WriteRows(-1)) {
        CloseWindow();
    }
}

void TEditorAdrM::BitBtn3Click() {
    const ClientCallLinks& links = call_.links;
    const int index = ListBox1.itemIndex();
    const std::string question = CallText(links, EditorTexts::EditorLinePrefix) +
                                 LabeledEdit1.text() + "//" + LabeledEdit2.text() +
                                 CallText(links, EditorTexts::EditorDeleteQuestion);
    const platform::BoxAnswer answer = links.host.desktop.messageBox(
        platform::BoxIcon::Question, question, platform::BoxButtons::YesNo);
    if (answer == platform::BoxAnswer::Yes && WriteRows(index)) {
        ListBox1.setItems({});
        call_.EditorCaptionRow = 1;
        ApplyCaptionRow();
        if (!EnsureAndLoad()) {
            CloseWindow();
            return;
        }
        ListBox1.setItemIndex(index > 0 ? index - 1 : 0);
    }
    ShowSelectedRow();
}

void TEditorAdrM::CloseWindow() {
    closing_ = true;
    close();
}

}  // namespace kestrel
