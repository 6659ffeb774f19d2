// Reading and writing the defect log through the settings store.
#include "defects/win/stored_log.h"

#include <vector>

#include "defects/shared_log.h"
#include "defects/stored_marks.h"
#include "settings/win/ini2017.h"

void ShowStoredLog(TextView device, int width, int height) {
    Text key = StoredMarksKey(device, width, height);
    SharedDefectLog& shared = TheDefectLog();
    if (shared.Get()->key == key) {
        return;
    }
    std::vector<char16_t> value(kStoredMarksChars, u'\0');
    const int placed = CIni2017::ReadString(kDefectSection, key, value.data(), kStoredMarksChars);
    // A value that fills the buffer may go on beyond it.
    const bool cutOff = placed >= kStoredMarksChars - 1;
    shared.Publish(std::move(key),
                   ParseStoredMarks(TextView(value.data(), static_cast<std::size_t>(placed)), width,
                                    height, cutOff));
}

void KeepLog(MarkLog log) {
    SharedDefectLog& shared = TheDefectLog();
    Text key = shared.Get()->key;
    if (log.Empty()) {
        CIni2017::DeleteKey(kDefectSection, key);
    } else {
        CIni2017::WriteString(kDefectSection, key, FormatStoredMarks(log));
    }
    shared.Publish(std::move(key), std::move(log));
}
