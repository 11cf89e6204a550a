// Find and replace in files: the two workers, their start and the line scanning they share.
#include "FindInFiles.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <iterator>
#include <memory>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "COutputPane.h"
#include "CScintillaFindReplaceDlg.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "ResourceIds.h"
#include "zSTRING.h"

namespace {

// FindThread's value while a worker runs: the flag is what callers test, nobody waits on a handle.
constexpr std::uintptr_t kWorkerRunning = 1;

std::atomic<bool> g_workerAlive{false};

// Hits go to the pane when this long has passed since the last hand-over, and at the end.
constexpr ULONGLONG kBatchMilliseconds = 50;
// Within a file the clock is asked after this many hits: a file full of them still shows while
// it is searched.
constexpr std::size_t kHitsBetweenClockChecks = 1000;
// A batch's room for its rows' texts to begin with, so that it grows seldom.
constexpr std::size_t kBatchBytes = 1 << 16;

// Calls each(one-based number, text, text length, ending length) for every line; a line ends
// with "\n" or "\r\n", the last one may have no ending. Stops when each returns false.
template <class Each>
void ForEachLine(const std::string& text, Each each)
{
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        else if (end > start && text[end - 1] == '\r')
            --end;
        if (!each(number, start, end - start, next - end))
            return;
        start = next;
    }
}

// The searched text as folded byte tables: a text hits exactly where the engine string's search
// with the same options would hit it (its case and word classes come from the same C library
// calls), but over raw bytes, a whole file at a time, without a string per line.
class HitMatcher {
public:
    HitMatcher(const char* find, BOOL matchCase, BOOL wholeWord) : m_wholeWord(wholeWord != FALSE)
    {
        for (int c = 0; c < 256; ++c) {
            m_fold[c] = static_cast<unsigned char>(matchCase ? c : std::toupper(c));
            m_word[c] = std::isalnum(c) || c == '_';
        }
        for (const char* at = find; at && *at; ++at)
            m_pattern.push_back(static_cast<char>(m_fold[static_cast<unsigned char>(*at)]));
        // Horspool's skips, by folded byte: how far the window may move when that byte ends it.
        const std::size_t m = m_pattern.size();
        std::fill(std::begin(m_skip), std::end(m_skip), m == 0 ? 1 : m);
        for (std::size_t i = 0; i + 1 < m; ++i)
            m_skip[static_cast<unsigned char>(m_pattern[i])] = m - 1 - i;
        // The bytes that fold to the first and to the last searched byte: when each has at most
        // two (a letter in both cases, or any other byte), 16 places are tried at once.
        if (m != 0) {
            m_wide = EndBytes(m_pattern.front(), m_first) && EndBytes(m_pattern.back(), m_last);
        }
    }

    bool Empty() const { return m_pattern.empty(); }
    std::size_t Length() const { return m_pattern.size(); }

    // The first place in [from, end) where the folded text starts, or npos; no line or word rules.
    std::size_t Next(const char* text, std::size_t from, std::size_t end) const
    {
        const std::size_t m = m_pattern.size();
        if (m == 0 || end < m)
            return std::string::npos;
        const auto* bytes = reinterpret_cast<const unsigned char*>(text);
        const auto* pattern = reinterpret_cast<const unsigned char*>(m_pattern.data());
#if defined(__SSE2__)
        // Places whose first and last bytes fit, 16 at a time; the bytes between are compared
        // only there. What remains near the end goes the byte-wise way below.
        if (m_wide) {
            const __m128i first0 = _mm_set1_epi8(static_cast<char>(m_first[0]));
            const __m128i first1 = _mm_set1_epi8(static_cast<char>(m_first[1]));
            const __m128i last0 = _mm_set1_epi8(static_cast<char>(m_last[0]));
            const __m128i last1 = _mm_set1_epi8(static_cast<char>(m_last[1]));
            for (; from + m + 15 <= end; from += 16) {
                const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from));
                const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + from + m - 1));
                const __m128i fits =
                    _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(head, first0), _mm_cmpeq_epi8(head, first1)),
                                  _mm_or_si128(_mm_cmpeq_epi8(tail, last0), _mm_cmpeq_epi8(tail, last1)));
                for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(fits)); mask != 0; mask &= mask - 1) {
                    const std::size_t at = from + static_cast<std::size_t>(__builtin_ctz(mask));
                    std::size_t i = 1;
                    while (i + 1 < m && m_fold[bytes[at + i]] == pattern[i])
                        ++i;
                    if (i + 1 >= m)
                        return at;
                }
            }
        }
#endif
        const unsigned char last = pattern[m - 1];
        for (std::size_t at = from; at <= end - m;) {
            const unsigned char c = m_fold[bytes[at + m - 1]];
            if (c == last) {
                std::size_t i = 0;
                while (i + 1 < m && m_fold[bytes[at + i]] == pattern[i])
                    ++i;
                if (i + 1 == m)
                    return at;
            }
            at += m_skip[c];
        }
        return std::string::npos;
    }

    // Whether a place found by Next is a hit of the line [start, end): inside it and, for whole
    // words, with no word character beside it in the line.
    bool HitsLine(const char* text, std::size_t start, std::size_t end, std::size_t at) const
    {
        const std::size_t after = at + m_pattern.size();
        if (after > end)
            return false;
        if (!m_wholeWord)
            return true;
        const auto* bytes = reinterpret_cast<const unsigned char*>(text);
        return (at == start || !m_word[bytes[at - 1]]) && (after == end || !m_word[bytes[after]]);
    }

    // The first hit in one line, or -1.
    int FirstHit(const char* line, std::size_t length) const
    {
        for (std::size_t at = 0; (at = Next(line, at, length)) != std::string::npos; ++at) {
            if (HitsLine(line, 0, length, at))
                return static_cast<int>(at);
        }
        return -1;
    }

private:
    // The bytes that fold to folded, twice the same when only one does; false for more than two.
    bool EndBytes(char folded, unsigned char (&bytes)[2]) const
    {
        int count = 0;
        for (int c = 0; c < 256; ++c) {
            if (m_fold[c] != static_cast<unsigned char>(folded))
                continue;
            if (count == 2)
                return false;
            bytes[count++] = static_cast<unsigned char>(c);
        }
        if (count == 1)
            bytes[1] = bytes[0];
        return count != 0;
    }

    std::string m_pattern;  // folded
    unsigned char m_fold[256];
    bool m_word[256];
    std::size_t m_skip[256];
    bool m_wholeWord;
    bool m_wide = false;
    unsigned char m_first[2] = {};
    unsigned char m_last[2] = {};
};

// The line ends ('\n') in [from, to).
int CountLineEnds(const char* from, const char* to)
{
    int count = 0;
#if defined(__SSE2__)
    // Each match takes 1 from a byte counter; the counters are summed before one can overflow.
    const __m128i newline = _mm_set1_epi8('\n');
    while (to - from >= 16) {
        __m128i counters = _mm_setzero_si128();
        for (int round = 0; round < 255 && to - from >= 16; ++round, from += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(block, newline));
        }
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
    }
#endif
    return count + static_cast<int>(std::count(from, to, '\n'));
}

// Appends a line as the pane shows it: every tab as four blanks. The room is made once and the
// bytes copied into it, not appended piece by piece.
void AppendShown(std::string& to, const char* text, std::size_t length)
{
    const char* const end = text + length;
    const std::size_t tabs = static_cast<std::size_t>(std::count(text, end, '\t'));
    const std::size_t at = to.size();
    to.resize(at + length + 3 * tabs);
    char* out = &to[at];
    if (tabs == 0) {
        std::memcpy(out, text, length);
        return;
    }
    for (; text < end; ++text) {
        if (*text == '\t') {
            std::memcpy(out, "    ", 4);
            out += 4;
        } else {
            *out++ = *text;
        }
    }
}

CString ShownLine(const std::string& text)
{
    std::string shown;
    AppendShown(shown, text.data(), text.size());
    return CString(shown.c_str());
}

CString FormatText(UINT id, const CString& path)
{
    CString format;
    format.LoadString(id);
    CString text;
    text.Format(format, static_cast<const char*>(path));
    return text;
}

enum class ReadResult { Read, Missing, Failed };

// A listed name that names no file (a wildcard pattern, a folder) counts as missing. The bytes
// go to the front of buffer, which is kept from file to file and grows as needed (it is not cut
// to the file); size gets their count.
ReadResult ReadWholeFile(const CString& path, std::string& buffer, std::size_t& size)
{
    size = 0;
    const HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // Only a failed open asks what the name is: under Wine each call looks the path up afresh.
        const DWORD attributes = ::GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return ReadResult::Missing;
        return ReadResult::Failed;
    }
    // Big reads into the kept buffer until the end, with no question about the size first.
    // A read that fills less than it was given has reached the end of the file: no further
    // read is made only to be told so.
    if (buffer.size() < 65536)
        buffer.resize(65536);
    BOOL ok = TRUE;
    for (;;) {
        if (size == buffer.size())
            buffer.resize(buffer.size() * 2);
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - size, 1u << 30));
        DWORD got = 0;
        ok = ::ReadFile(file, &buffer[size], want, &got, nullptr);
        if (!ok || got == 0)
            break;
        size += got;
        if (got < want)
            break;
    }
    ::CloseHandle(file);
    return ok ? ReadResult::Read : ReadResult::Failed;
}

// The whole file as a string of its own size.
ReadResult ReadWholeFile(const CString& path, std::string& bytes)
{
    std::size_t size = 0;
    const ReadResult read = ReadWholeFile(path, bytes, size);
    bytes.resize(size);
    return read;
}

BOOL WriteWholeFile(const char* path, const std::string& bytes)
{
    const HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL ok = TRUE;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        ok = ::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    ok = ::FlushFileBuffers(file) && ok;
    return ::CloseHandle(file) && ok;
}

// Writes the new text to a temporary file of its own beside the source, then moves it over the
// source in one step. On any failure the temporary file goes and the source keeps its bytes.
BOOL RewriteFile(const CString& path, const std::string& bytes)
{
    // A read-only file is kept as it is, as the system keeps it from being deleted.
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return FALSE;
    CString folder = ".";
    const int slash = path.ReverseFind('\\');
    if (slash >= 0)
        folder = path.Left(slash + 1);
    char temporary[MAX_PATH] = {};
    if (!::GetTempFileNameA(folder, "tvr", 0, temporary))
        return FALSE;
    if (WriteWholeFile(temporary, bytes) &&
        ::MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    ::DeleteFileA(temporary);
    return FALSE;
}

// Each line of the text, the first hit on it replaced; every line keeps its ending, a last line
// without one stays without. report gets each changed line's one-based number and new text.
template <class Report>
std::string ReplaceFirstHitPerLine(const std::string& text, const HitMatcher& find, const std::string& replacement,
                                   Report report)
{
    std::string result;
    result.reserve(text.size());
    std::string changed;
    ForEachLine(text, [&](int number, std::size_t start, std::size_t length, std::size_t ending) {
        const int hit = find.FirstHit(text.data() + start, length);
        if (hit < 0) {
            result.append(text, start, length + ending);
            return true;
        }
        changed.assign(text, start, static_cast<std::size_t>(hit));
        changed += replacement;
        changed.append(text, start + hit + find.Length(), length - hit - find.Length());
        report(number, changed);
        result += changed;
        result.append(text, start + length, ending);
        return true;
    });
    return result;
}

// Lists the lines of one file's text that hold a hit, each once: found(one-based number, line
// start, line end without its ending). The text is searched as a whole, so lines without a hit
// cost no more than the search passing over them; line numbers are counted only up to hits.
// found returns false to stop.
template <class Found>
void ForEachLineWithAHit(std::string_view text, const HitMatcher& find, Found found)
{
    const char* const data = text.data();
    const std::size_t size = text.size();
    int number = 1;
    std::size_t counted = 0;  // line ends before this are in number
    std::size_t from = 0;
    // The line of the last place found: [start, end) without its ending, next after it. Kept
    // so that many places on one long line do not walk it again each.
    std::size_t start = 0, end = 0, next = 0;
    while (from < size) {
        const std::size_t at = find.Next(data, from, size);
        if (at == std::string::npos)
            return;
        if (at >= next) {
            number += CountLineEnds(data + counted, data + at);
            counted = at;
            start = at;
            while (start > next && data[start - 1] != '\n')
                --start;
            const void* newline = std::memchr(data + at, '\n', size - at);
            next = newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - data) + 1 : size;
            end = newline ? next - 1 : size;
            if (newline && end > start && data[end - 1] == '\r')
                --end;
        }
        if (!find.HitsLine(data, start, end, at)) {
            // A later place of the same line may still be a whole word; one that runs over the
            // line's end cannot be followed by one that fits.
            from = at + find.Length() > end ? next : at + 1;
            continue;
        }
        if (!found(number, start, end))
            return;
        from = next;
    }
}

// One find in files run: the worker reads the listed files into a window of slots in list
// order, the search takes them in the same order, lists their hits and hands them to the pane.
// The search's thread holds a share of this state, so that it may end after the worker.
class FileScan {
public:
    FileScan(const FindInFilesRequest& request, COutputPane* pane)
        : m_request(request), m_pane(pane), m_find(request.findText, request.matchCase, request.wholeWord)
    {
        m_batch.texts.reserve(kBatchBytes);
        ::InitializeSRWLock(&m_lock);
        ::InitializeConditionVariable(&m_changed);
    }
    FileScan(const FileScan&) = delete;
    FileScan& operator=(const FileScan&) = delete;

    // The search on a thread of the system's pool, which keeps an idle one at hand: under Wine a
    // thread of its own takes about a millisecond to start, much of the time the reading takes.
    static bool StartSearch(const std::shared_ptr<FileScan>& scan)
    {
        auto* owner = new std::shared_ptr<FileScan>(scan);
        if (::TrySubmitThreadpoolCallback(SearchCallback, owner, nullptr))
            return true;
        delete owner;
        return false;
    }

    // The worker's part: reads every file, each once the search is done with the slot's file
    // before, and returns the search's outcome once it has handed over its last hit. With
    // searchBeside false the worker searches each file itself after reading it.
    BOOL ReadAll(bool searchBeside)
    {
        const std::size_t count = m_request.paths.size();
        std::size_t index = 0;
        for (; index < count; ++index) {
            Slot& slot = m_slots[index % kSlots];
            if (searchBeside) {
                ::AcquireSRWLockExclusive(&m_lock);
                while (!m_searchEnded && index >= m_searched + kSlots) {
                    m_readWaits = true;
                    ::SleepConditionVariableSRW(&m_changed, &m_lock, INFINITE, 0);
                    m_readWaits = false;
                }
                const bool ended = m_searchEnded;
                ::ReleaseSRWLockExclusive(&m_lock);
                if (ended)
                    break;
            }
            slot.read = ReadWholeFile(m_request.paths[index], slot.buffer, slot.size);
            if (!searchBeside) {
                if (!SearchFile(index))
                    return Finish(FALSE);
                continue;
            }
            ::AcquireSRWLockExclusive(&m_lock);
            m_read = index + 1;
            // A waiting search is woken for a few files at once, as each wake-up holds up the
            // reading, and for each of the last ones, so that little is left to search when the
            // reading ends.
            if (m_searchWaits && (m_read - m_searched >= kFilesPerWake || m_read + kFilesPerWake >= count))
                ::WakeAllConditionVariable(&m_changed);
            ::ReleaseSRWLockExclusive(&m_lock);
            // A stop ends the reading too; the search sees it as well.
            if (g_solutionConfig.FindThread == 0)
                break;
        }
        if (!searchBeside)
            return Finish(TRUE);
        ::AcquireSRWLockExclusive(&m_lock);
        m_readEnded = true;
        ::WakeAllConditionVariable(&m_changed);
        while (!m_searchEnded)
            ::SleepConditionVariableSRW(&m_changed, &m_lock, INFINITE, 0);
        const BOOL completed = m_completed;
        ::ReleaseSRWLockExclusive(&m_lock);
        return completed;
    }

private:
    static constexpr std::size_t kSlots = 8;
    static constexpr std::size_t kFilesPerWake = 4;
    static void CALLBACK SearchCallback(PTP_CALLBACK_INSTANCE instance, void* argument)
    {
        const std::unique_ptr<std::shared_ptr<FileScan>> owner(static_cast<std::shared_ptr<FileScan>*>(argument));
        ::CallbackMayRunLong(instance);
        (*owner)->SearchAll();
    }

    struct Slot {
        ReadResult read = ReadResult::Missing;
        std::string buffer;  // kept from file to file, not cut to the file
        std::size_t size = 0;
    };

    // The search thread's part: each file in list order once it is read.
    void SearchAll()
    {
        const std::size_t count = m_request.paths.size();
        BOOL completed = FALSE;
        for (std::size_t index = 0;; ++index) {
            ::AcquireSRWLockExclusive(&m_lock);
            while (!m_readEnded && index >= m_read) {
                m_searchWaits = true;
                ::SleepConditionVariableSRW(&m_changed, &m_lock, INFINITE, 0);
                m_searchWaits = false;
            }
            const bool available = index < m_read;
            ::ReleaseSRWLockExclusive(&m_lock);
            if (!available) {
                completed = index == count;
                break;
            }
            const bool goOn = SearchFile(index);
            ::AcquireSRWLockExclusive(&m_lock);
            m_searched = index + 1;
            if (m_readWaits)
                ::WakeAllConditionVariable(&m_changed);
            ::ReleaseSRWLockExclusive(&m_lock);
            if (!goOn)
                break;
        }
        HandOver();
        // The last this thread does with the request and the pane: the worker may end now.
        ::AcquireSRWLockExclusive(&m_lock);
        m_completed = completed;
        m_searchEnded = true;
        ::WakeAllConditionVariable(&m_changed);
        ::ReleaseSRWLockExclusive(&m_lock);
    }

    BOOL Finish(BOOL completed)
    {
        HandOver();
        return completed;
    }

    // Lists the hits of the file read into its slot; false when a stop ends the search.
    bool SearchFile(std::size_t index)
    {
        const Slot& slot = m_slots[index % kSlots];
        const CString& path = m_request.paths[index];
        if (slot.read == ReadResult::Missing)
            return g_solutionConfig.FindThread != 0;
        if (slot.read == ReadResult::Failed) {
            HandOver();
            if (m_pane)
                m_pane->AddFindNote(FormatText(IDS_FIND_FILE_UNREADABLE, path));
            return g_solutionConfig.FindThread != 0;
        }
        if (m_find.Empty())
            return g_solutionConfig.FindThread != 0;
        const std::string_view bytes(slot.buffer.data(), slot.size);
        bool stopped = false;
        bool named = false;
        ForEachLineWithAHit(bytes, m_find, [&](int number, std::size_t start, std::size_t end) {
            if (!named) {
                m_batch.paths.push_back(path);
                named = true;
            }
            FindResultBatch::Hit hit;
            hit.path = static_cast<int>(m_batch.paths.size()) - 1;
            hit.line = number;
            hit.text = m_batch.texts.size();
            AppendShown(m_batch.texts, bytes.data() + start, end - start);
            hit.length = m_batch.texts.size() - hit.text;
            m_batch.hits.push_back(hit);
            if (m_batch.hits.size() % kHitsBetweenClockChecks == 0 &&
                ::GetTickCount64() - m_handedOver >= kBatchMilliseconds) {
                HandOver();
                named = false;
            }
            // Asked after each listed line: a stop ends the search after the line in hand.
            stopped = g_solutionConfig.FindThread == 0;
            return !stopped;
        });
        if (stopped || g_solutionConfig.FindThread == 0)
            return false;
        if (::GetTickCount64() - m_handedOver >= kBatchMilliseconds)
            HandOver();
        return true;
    }

    // Hits go to the pane in batches of what was found since the last one went, at most every
    // 50 ms, and the rest at the end; each hit costs its bytes in the batch and nothing of its
    // own. Few hand-overs: each wakes the pane's thread, which then competes with the search
    // for the processor and the Wine server.
    void HandOver()
    {
        if (m_pane && !m_batch.hits.empty())
            m_pane->AddFindResults(std::move(m_batch));
        m_batch = FindResultBatch();
        m_batch.texts.reserve(kBatchBytes);
        m_handedOver = ::GetTickCount64();
    }

    const FindInFilesRequest& m_request;  // used by the search until it has ended
    COutputPane* const m_pane;
    const HitMatcher m_find;
    FindResultBatch m_batch;
    ULONGLONG m_handedOver = ::GetTickCount64();
    Slot m_slots[kSlots];
    SRWLOCK m_lock;
    CONDITION_VARIABLE m_changed;
    std::size_t m_read = 0;      // files read, each in its slot
    std::size_t m_searched = 0;  // files searched: their slots may take the next ones
    bool m_readEnded = false;
    bool m_searchEnded = false;
    bool m_readWaits = false;    // the worker sleeps until a slot is free
    bool m_searchWaits = false;  // the search sleeps until a file is read
    BOOL m_completed = FALSE;
};

// Runs a worker's body with the interface language and ends the run: the end row, the flag cleared.
template <class Body>
DWORD RunWorker(void* argument, BOOL replacing, Body body)
{
    std::unique_ptr<FindInFilesRequest> request(static_cast<FindInFilesRequest*>(argument));
    // The thread may be the pool's, used again for other work: it gets its language back.
    const LCID threadLocale = ::GetThreadLocale();
    ::SetThreadLocale(static_cast<LCID>(g_solutionConfig.Language));
    COutputPane* pane = GetOutputPane();
    if (pane)
        pane->BeginFindInFiles(request->findText, request->replaceText, replacing);
    const BOOL completed = body(*request, pane);
    if (pane)
        pane->EndFindInFiles(completed);
    if (completed)
        g_solutionConfig.FindThread = 0;
    ::SetThreadLocale(threadLocale);
    g_workerAlive = false;
    return 0;
}

}  // namespace

FindInFilesRequest TakeFindInFilesRequest()
{
    FindInFilesRequest request;
    const CScintillaFindState& state = g_scintillaFind;
    request.findText = state.findText;
    request.replaceText = state.replaceText;
    request.matchCase = state.matchCase;
    request.wholeWord = state.wholeWord;
    CString folder;
    GetProjectFolder(folder);
    const CSrcManager* sources = GetSrcManager();
    for (int i = 0; sources && i < sources->GetCount(); ++i)
        request.paths.push_back(folder + sources->GetAt(i));
    return request;
}

namespace {

// A worker's thread procedure as a task of the pool, which is told that it may run long.
template <DWORD(WINAPI* Worker)(void*)>
void CALLBACK RunPooled(PTP_CALLBACK_INSTANCE instance, void* request)
{
    ::CallbackMayRunLong(instance);
    Worker(request);
}

}  // namespace

BOOL StartFindInFiles(FindInFilesRequest request, BOOL replacing)
{
    // A worker stopped by Escape may still finish its file: a second one would write beside it.
    if (g_workerAlive)
        return FALSE;
    std::uintptr_t idle = 0;
    if (!g_solutionConfig.FindThread.compare_exchange_strong(idle, kWorkerRunning))
        return FALSE;
    g_workerAlive = true;
    // The worker runs on a thread of the system's pool, which keeps an idle one at hand: under
    // Wine a thread of its own takes about a millisecond to start, a tenth of a whole search.
    auto* argument = new FindInFilesRequest(std::move(request));
    if (!::TrySubmitThreadpoolCallback(replacing ? RunPooled<ReplaceInFilesThread> : RunPooled<FindInFilesThread>,
                                       argument, nullptr)) {
        delete argument;
        g_workerAlive = false;
        g_solutionConfig.FindThread = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL IsFindInFilesWorkerAlive() { return g_workerAlive; }

DWORD WINAPI FindInFilesThread(void* argument)
{
    return RunWorker(argument, FALSE, [](const FindInFilesRequest& request, COutputPane* pane) {
        const std::shared_ptr<FileScan> scan = std::make_shared<FileScan>(request, pane);
        // The files are read here, one after the other: under Wine each open, read and close
        // waits on its server, and readers on several threads were slower still, as a process
        // gets its files' descriptors and closes them one call at a time. The search of the
        // files read runs beside on a thread of the pool; should none be had, here after each
        // read.
        return scan->ReadAll(FileScan::StartSearch(scan));
    });
}

DWORD WINAPI ReplaceInFilesThread(void* argument)
{
    return RunWorker(argument, TRUE, [](const FindInFilesRequest& request, COutputPane* pane) {
        const HitMatcher find(request.findText, request.matchCase, request.wholeWord);
        const std::string replacement(static_cast<const char*>(request.replaceText));
        std::string bytes;
        for (const CString& path : request.paths) {
            const ReadResult read = ReadWholeFile(path, bytes);
            if (read == ReadResult::Failed && pane)
                pane->AddFindNote(FormatText(IDS_FIND_FILE_UNREADABLE, path));
            if (read == ReadResult::Read) {
                bool changed = false;
                const std::string rewritten =
                    ReplaceFirstHitPerLine(bytes, find, replacement, [&](int number, const std::string& text) {
                        changed = true;
                        if (pane)
                            pane->AddFindResult(path, ShownLine(text), number);
                    });
                // A file without hits is not touched at all.
                if (changed && !RewriteFile(path, rewritten) && pane)
                    pane->AddFindNote(FormatText(IDS_REPLACE_FILE_UNCHANGED, path));
            }
            if (g_solutionConfig.FindThread == 0)
                return FALSE;  // between files: the one in hand is always finished
        }
        return TRUE;
    });
}
