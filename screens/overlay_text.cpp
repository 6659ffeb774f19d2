// Texts, formats and geometry of the information overlay.
#include "screens/overlay_text.h"

#include "screens/scaled.h"

namespace {

constexpr int kTextInset = 30;
constexpr int kReferenceWidth = 1280;
constexpr int kFontHeightAtReference = -26;
constexpr int kShadowAtReference = -3;

// Text ids of the overlay's words.
constexpr int kIdIntervalIs = 3;
constexpr int kIdSeconds = 4;
constexpr int kIdUsageFirst = 5; // 5..11: how to use the selection screen
constexpr int kIdEnduranceTest = 12;
constexpr int kIdScreen = 16;
constexpr int kIdWindow = 17;
constexpr int kIdRepairFirst = 60; // 60..63: the repair screen's paragraphs

// Section-0 keys.
constexpr int kKeyProgramName = 0;
constexpr int kKeyNotice = 22;

Text Word(const OverlayWords& words, int id) {
    return words.byId ? words.byId(id) : Text();
}

} // namespace

OverlayState SnapshotOverlayState(const AppState& state) noexcept {
    OverlayState snapshot;
    snapshot.repairMode = state.repairMode.load();
    snapshot.selectionMode = state.selectionMode.load();
    snapshot.languageIndex = state.languageIndex.load();
    snapshot.cycleIntervalMs = state.cycleIntervalMs.load();
    for (int k = 0; k < kTestFlagCount; ++k) {
        snapshot.testEnabled[k] = state.testEnabled[k].load();
    }
    return snapshot;
}

int OverlayFontHeight(int clientWidth) noexcept {
    return scaled(kFontHeightAtReference, clientWidth, kReferenceWidth);
}

int ShadowOffset(int clientWidth) noexcept {
    return scaled(kShadowAtReference, clientWidth, kReferenceWidth);
}

TextBox OverlayTextBox(const TextBox& client) noexcept {
    TextBox box = client;
    box.left += kTextInset;
    box.top += kTextInset;
    return box;
}

TextBox ShadowCopyBox(const TextBox& box, int offset, ShadowForm form) noexcept {
    TextBox moved = box;
    moved.left += offset;
    moved.top += offset;
    if (form == ShadowForm::Line) {
        moved.right += offset;
        moved.bottom += offset;
    }
    return moved;
}

unsigned ShadowedFormat(unsigned format, ShadowForm form, int languageIndex) noexcept {
    if (form == ShadowForm::Paragraph && languageIndex == kRightToLeftLanguage) {
        return format | overlay_format::kRightToLeft;
    }
    return format;
}

OverlayScreen ChooseOverlayScreen(const OverlayState& state) noexcept {
    if (state.repairMode != 0) {
        return OverlayScreen::Repair;
    }
    if (state.selectionMode != 0) {
        return OverlayScreen::Selection;
    }
    return OverlayScreen::Information;
}

Text IntervalText(int milliseconds) {
    // Hundredths of a second, truncated. Integer arithmetic: going through
    // milliseconds * 0.001 * 100 in floating point gives 409 for 4100 ms and 819 for
    // 8200 ms, both intervals the keys reach.
    const int hundredths = milliseconds / 10;
    const int whole = hundredths / 100;
    const int rest = hundredths - 100 * whole;
    // Two digits after the comma: 10 ms is "0,01", not a tenfold "0,1".
    return FormatText(rest >= 0 && rest < 10 ? u"%d,0%d" : u"%d,%d", {whole, rest});
}

Text ExtractTestLines(TextView infoText) {
    Text lines;
    const std::size_t open = infoText.find(u"<<");
    if (open == TextView::npos) {
        return lines;
    }
    // The line holding "<<" has no known start, so it is not taken; the line holding
    // ">>" ends the scan before its LF, so it is not taken either.
    std::size_t lineStart = TextView::npos;
    for (std::size_t i = open; i < infoText.size(); ++i) {
        if (infoText[i] == u'>' && i + 1 < infoText.size() && infoText[i + 1] == u'>') {
            break;
        }
        if (infoText[i] == u'\n') {
            if (lineStart != TextView::npos) {
                lines.append(infoText.substr(lineStart, i - lineStart));
                lines.push_back(u'\n');
            }
            lineStart = i + 1;
        }
    }
    return lines;
}

Text MarkedTestList(TextView testLines, const std::array<int, kTestFlagCount>& testEnabled) {
    // Each "//" becomes a line end, so both halves of a line are entries of their own.
    Text entries;
    entries.reserve(testLines.size() + 16);
    for (std::size_t i = 0; i < testLines.size(); ++i) {
        if (testLines[i] == u'/' && i + 1 < testLines.size() && testLines[i + 1] == u'/') {
            entries.append(u"\r\n");
            ++i;
        } else {
            entries.push_back(testLines[i]);
        }
    }

    Text list;
    list.reserve(entries.size() * 2);
    std::size_t entryStart = 0;
    std::size_t k = 0;
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
        if (entries[i] != u'\r' || entries[i + 1] != u'\n') {
            continue;
        }
        // A translation may list more tests than there are flags: those get no mark.
        if (k < testEnabled.size()) {
            list.append(testEnabled[k] != 0 ? u"[ X ] " : u"[    ] ");
        }
        list.append(entries, entryStart, i - entryStart);
        // An entry that begins with a blank came from the second half of a line: keep
        // it on the same display line.
        const std::size_t next = i + 2;
        if (next < entries.size() && entries[next] == u' ') {
            list.append(u"// ");
        } else {
            list.append(u"\r\n");
        }
        ++k;
        entryStart = next;
        ++i;
    }
    return list;
}

Text RepairScreenText(const OverlayWords& words) {
    Text text = u"\n\n\n\n";
    text += Word(words, kIdRepairFirst);
    text += u"\n\n";
    text += Word(words, kIdRepairFirst + 1);
    text += u"\n\n";
    text += Word(words, kIdRepairFirst + 2);
    text += u"\n\n\n\n";
    text += Word(words, kIdRepairFirst + 3);
    text += u"\n\n";
    return text;
}

Text TestSelectionText(const OverlayWords& words, TextView infoText, const OverlayState& state) {
    Text text = Word(words, kIdEnduranceTest);
    text += u"!\n\n";
    text += MarkedTestList(ExtractTestLines(infoText), state.testEnabled);
    text += u"\n";
    text += Word(words, kIdIntervalIs);
    text += IntervalText(state.cycleIntervalMs);
    text += u" ";
    text += Word(words, kIdSeconds);
    text += u"\n";
    // Usage lines 5..11, grouped in paragraphs after 5 and 8.
    for (int id = kIdUsageFirst; id <= kIdUsageFirst + 6; ++id) {
        text += Word(words, id);
        text += (id == 5 || id == 8) ? u"\n\n" : u"\n";
    }
    return text;
}

Text InfoLineText(const OverlayWords& words, int modeWidth, int modeHeight, int clientWidth,
                  int clientHeight) {
    const Text screen = Word(words, kIdScreen);
    const Text window = Word(words, kIdWindow);
    return FormatText(u"%s:%d x %d  \n%s:%d x %d  ",
                      {screen, modeWidth, modeHeight, window, clientWidth, clientHeight});
}

std::vector<ShadowedText> OverlayOutputs(OverlayScreen screen, const OverlayState& state,
                                         const OverlayWords& words, TextView infoText) {
    const int language = state.languageIndex;
    auto paragraph = [language](Text text) {
        return ShadowedText{
            std::move(text), ShadowForm::Paragraph,
            ShadowedFormat(overlay_format::kParagraph, ShadowForm::Paragraph, language)};
    };
    auto line = [](Text text, unsigned format) {
        return ShadowedText{std::move(text), ShadowForm::Line, format};
    };

    std::vector<ShadowedText> outputs;
    switch (screen) {
    case OverlayScreen::Repair:
        outputs.push_back(paragraph(RepairScreenText(words)));
        break;
    case OverlayScreen::Selection:
        outputs.push_back(paragraph(TestSelectionText(words, infoText, state)));
        break;
    case OverlayScreen::Information: {
        const Text title = words.value ? words.value(kKeyProgramName) : Text();
        outputs.push_back(line(title, overlay_format::kCenterSingleLine));
        outputs.push_back(paragraph(Text(infoText)));
        Text notice = words.value ? words.value(kKeyNotice) : Text();
        notice += u" ";
        outputs.push_back(line(std::move(notice), language == kRightToLeftLanguage
                                                      ? overlay_format::kNoticeLeft
                                                      : overlay_format::kNoticeRight));
        break;
    }
    }
    return outputs;
}
