// Start-up benchmark: the time from process start until the main window shows the rows of a
// 700-point file, drawn, against the same for a 1-point file (the difference is what reading and
// listing 699 more points costs) and the time until an empty dialog program shows its window,
// measured alternately in one run. Prints each run and the medians. Not a test: nothing is judged.
//   vondrel_startup_bench.exe [RUNS [OTHER.exe]]   (run in the folder holding Vondrel.exe and the marks)
// OTHER.exe, another build of the program (its marks beside it), is timed in the same runs too,
// with the 700-point file: builds compared side by side on a machine whose speed varies.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/point_table.h"
#include "files/glorie_writer.h"
#include "os/file_io.h"
#include "os/win32_text.h"
#include "sample_points.h"

namespace {

// Starts `commandLine`, waits until a visible window titled `title` exists and, when `rows` is
// not negative, its list 1000 holds that many rows. Returns the milliseconds, or -1.
double TimeToWindow(std::wstring commandLine, const wchar_t* title, int rows) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
    double elapsed = -1;
    HWND window = nullptr;
    for (int spins = 0; spins < 200000; ++spins) {
        window = FindWindowW(nullptr, title);
        // Listed and drawn: the list holds the rows and neither it nor the window waits for paint.
        const HWND list = window ? GetDlgItem(window, 1000) : nullptr;
        if (window && IsWindowVisible(window) &&
            (rows < 0 || (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == rows && !GetUpdateRect(list, nullptr, FALSE) &&
                          !GetUpdateRect(window, nullptr, FALSE)))) {
            QueryPerformanceCounter(&now);
            elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
            break;
        }
        Sleep(1);
    }
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 9;
    vondrel::PointTable table;
    vondrel::bench::FillSamplePoints(table);
    vondrel::PointTable one;
    one.Append(table.Row(0));
    if (!vondrel::os::WriteWholeFile(L"startup_700.xml", vondrel::GlorieBytes(table)).Ok() ||
        !vondrel::os::WriteWholeFile(L"startup_1.xml", vondrel::GlorieBytes(one)).Ok()) {
        std::printf("cannot write the point files\n");
        return 1;
    }
    const std::wstring other = argc > 2 ? L"\"" + std::wstring(argv[2]) + L"\" startup_700.xml" : L"";
    std::vector<double> program, single, empty, others;
    TimeToWindow(L"Vondrel.exe startup_700.xml", L"Kestrova", 700);  // warm-up: caches and the Wine server
    TimeToWindow(L"vondrel_empty_dialog.exe", L"VondrelEmpty", -1);
    for (int i = 0; i < runs; ++i) {
        const double a = TimeToWindow(L"Vondrel.exe startup_700.xml", L"Kestrova", 700);
        const double b = TimeToWindow(L"vondrel_empty_dialog.exe", L"VondrelEmpty", -1);
        const double c = TimeToWindow(L"Vondrel.exe startup_1.xml", L"Kestrova", 1);
        const double d = other.empty() ? -1 : TimeToWindow(other, L"Kestrova", 700);
        std::printf("run %d: Vondrel with 700 points %.1f ms, with 1 point %.1f ms, empty dialog %.1f ms", i + 1, a, c, b);
        std::printf(other.empty() ? "\n" : ", other build %.1f ms\n", d);
        if (a >= 0) program.push_back(a);
        if (d >= 0) others.push_back(d);
        if (b >= 0) empty.push_back(b);
        if (c >= 0) single.push_back(c);
    }
    const double medianProgram = Median(program);
    const double medianEmpty = Median(empty);
    std::printf("median: Vondrel with 700 points (every row listed and drawn) %.1f ms, with 1 point %.1f ms, "
                "empty dialog %.1f ms, ratio %.2f\n",
                medianProgram, Median(single), medianEmpty, medianEmpty > 0 ? medianProgram / medianEmpty : 0.0);
    if (!others.empty() && medianEmpty > 0)
        std::printf("median: other build with 700 points %.1f ms, ratio %.2f\n", Median(others), Median(others) / medianEmpty);
    std::fflush(stdout);
    return 0;
}
