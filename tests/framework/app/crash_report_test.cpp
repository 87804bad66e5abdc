#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <tuple>

#include "framework/app/crash_exception_names.h"
#include "framework/app/crash_logical_address.h"
#include "framework/app/crash_map_file.h"
#include "framework/app/crash_report.h"
#include "framework/app/crash_upload.h"
#include "framework/app/crash_window.h"
#include "framework/app/elf_sections.h"
#include "framework/app/http_transfer.h"
#include "framework/util/string_util.h"
#include "loopback_http_server.h"

namespace app_test {
namespace {

using namespace Kavo;

TEST(CrashReportTest, ExceptionLineNamesKnownCodesAndFallsBackForOthers) {
    EXPECT_EQ(FormatExceptionLine(0xC0000005, 0x401000, 0x2A),
              "Exception: Access Violation (code 0xc0000005) at address 00401000 in thread 2A\r\n");
    EXPECT_EQ(FormatExceptionLine(0xE06D7363, 0x7FFF12345678, 0x1F),
              "Unknown exception: (code 0xe06d7363) at address 7FFF12345678 in thread 1F\r\n");
    EXPECT_STREQ(GetExceptionName(0), "Wait 0");
    EXPECT_STREQ(GetExceptionName(0xC000013A), "Ctrl+C Exit");
    EXPECT_EQ(GetExceptionName(0x40000015), nullptr);

    const std::tuple<int, int, bool, uint32_t> signals[] = {
        {SIGSEGV, SEGV_MAPERR, false, 0xC0000005}, {SIGSEGV, SEGV_ACCERR, true, 0xC00000FD},
        {SIGFPE, FPE_INTDIV, false, 0xC0000094},   {SIGFPE, FPE_FLTDIV, false, 0xC000008E},
        {SIGFPE, FPE_FLTINV, false, 0xC0000090},   {SIGILL, ILL_ILLOPC, false, 0xC000001D},
        {SIGILL, ILL_PRVOPC, false, 0xC0000096},   {SIGBUS, BUS_ADRALN, false, 0x80000002},
        {SIGBUS, BUS_OBJERR, false, 0xC0000006},   {SIGTRAP, TRAP_BRKPT, false, 0x80000003},
        {SIGABRT, 0, false, kExceptionAbort},
    };
    for (const auto& [signal, code, nearStack, expected] : signals)
        EXPECT_EQ(ExceptionCodeForSignal(signal, code, nearStack), expected) << signal << "/" << code;
}

// A map in the linker's text layout: public symbols, then a line table whose
// lines hold four "line section:offset" groups of 20 characters.
const char kMap[] = " Address         Publics by Value              Rva+Base       Lib:Object\r\n"
                    "\r\n"
                    " 0001:00000000       _Z5Startv                  00401000 f   main.obj\r\n"
                    " 0001:00001000       _Z4Drawii                  00402000 f   draw.obj\r\n"
                    " 0001:00002000       ?Tail@@YAXXZ               00403000 f   tail.obj\r\n"
                    " 0002:00000100       _gData                     00404100     data.obj\r\n"
                    " 0001:00003000       NoSpaceAfterTheName\r\n"
                    " 0003:00000000       0003:00000000              00405000     odd.obj\r\n"
                    "\r\n"
                    "Line numbers for .\\Release\\draw.obj(c:\\src\\draw.cpp) segment .text\r\n"
                    "\r\n"
                    "    10 0001:00001000    12 0001:00001008    13 0001:00001020    14 0001:00001030\r\n";

TEST(CrashReportTest, MapFileTurnsLogicalAddressesIntoNamesAndLines) {
    CrashMapFile map;
    map.Parse(kMap);
    EXPECT_EQ(map.Symbols().size(), 5u);
    EXPECT_EQ(map.Lines().size(), 4u);

    EXPECT_EQ(map.Resolve("Logical Address: 0001:00001010\r\n"),
              "Logical Address: Draw(int, int)+0x10\r\n    c:\\src\\draw.cpp line 12 +0x8\r\n");
    const std::pair<const char*, const char*> cases[] = {
        {"at 0001:00001000.", "at Draw(int, int)\r\n    c:\\src\\draw.cpp line 10 +0x0."},
        {"0001:00000004 x", "Start()+0x4 x"},
        // Past the last symbol of its section: still inside it.
        {"0001:00002100", "?Tail@@YAXXZ+0x100"},
        {"0002:00000180", "_gData+0x80"},
        // A name that reads as an address is not resolved again.
        {"0003:00000010 0003:00000000", "0003:00000000+0x10 0003:00000000"},
        // No symbol at or below it in its section, or not an address at all.
        {"0004:00000010", "0004:00000010"},
        {"000G:00000010 0001:0000100", "000G:00000010 0001:0000100"},
    };
    for (const auto& [report, resolved] : cases)
        EXPECT_EQ(map.Resolve(report), resolved) << report;
}

TEST(CrashReportTest, ElfSectionsPlaceThisProgramsCode) {
    ElfSections sections;
    ASSERT_TRUE(sections.ReadFile("/proc/self/exe")) << sections.Error();
    LogicalAddressFinder finder;
    const LogicalAddress here =
        finder.Find(reinterpret_cast<uintptr_t>(&FormatExceptionLine)); // code linked into this test
    ASSERT_NE(here.section, 0u);
    ASSERT_LT(here.section, sections.Sections().size());
    EXPECT_TRUE(sections.Sections()[here.section].loaded);
    EXPECT_EQ(here.moduleName, "kavo_app_tests");
    EXPECT_EQ(finder.Find(0).section, 0u);

    // Bytes that stop short fail with the first error.
    std::ifstream in("/proc/self/exe", std::ios::binary);
    std::string head(64, '\0');
    in.read(head.data(), 64);
    ElfSections cut;
    EXPECT_FALSE(cut.Read(head));
    EXPECT_EQ(cut.Error(), "section table past the end of the file");
    EXPECT_FALSE(cut.Read(head.substr(0, 10)));
    EXPECT_EQ(cut.Error(), "shorter than an ELF header");
    ElfSections text;
    EXPECT_FALSE(text.Read("plain text, not a program at all, long enough for a header......"));
    EXPECT_EQ(text.Error(), "not an ELF file");
}

TEST(CrashReportTest, ReportLayout) {
    CrashContext context;
    context.code = kExceptionAccessViolation;
    context.address = reinterpret_cast<uintptr_t>(&FormatExceptionLine);
    context.threadId = 0x1234;
    context.registers.rip = context.address;
    context.registers.rbp = 0xBB;
    context.registers.flags = 0x246;
    context.frames = {static_cast<uintptr_t>(context.address), 0};
    LogicalAddressFinder finder;
    const LogicalAddress where = finder.Find(context.address);
    const CrashReport report = BuildCrashReport(context, finder, "Product: Test\r\n", nullptr);

    const std::string logical = FormatString("%04X:%08X", where.section, where.offset);
    EXPECT_EQ(report.title, "Exception at " + logical);
    const std::string head = FormatExceptionLine(context.code, context.address, 0x1234) +
                             "Module: kavo_app_tests\r\nLogical Address: " + logical + "\r\n\r\n";
    ASSERT_EQ(report.text.substr(0, head.size()), head);
    EXPECT_NE(report.text.find("RIP:" + FormatString("%016llX", static_cast<unsigned long long>(context.address)) +
                               " RSP:0000000000000000  RBP:00000000000000BB\r\n"),
              std::string::npos);
    EXPECT_NE(report.text.find("\r\nFlags:00000246\r\n\r\nSystem Ver: "), std::string::npos);
    EXPECT_NE(report.text.find("\r\n0000000000000000 0000:00000000 \r\n\r\nRAX:"), std::string::npos);
    EXPECT_EQ(report.text.substr(report.text.size() - 19), "\r\n\r\nProduct: Test\r\n");
    // Every line ends in CR LF.
    for (size_t at = report.text.find('\n'); at != std::string::npos; at = report.text.find('\n', at + 1))
        ASSERT_EQ(report.text[at - 1], '\r') << at;
}

TEST(CrashReportTest, WindowOffersCloseNowAloneWithoutASubmitHost) {
    const platform::DialogLayout alone = BuildCrashWindowLayout("report", false, true);
    EXPECT_EQ(alone.caption, "Fatal Error!");
    EXPECT_EQ(std::tie(alone.x, alone.y, alone.clientWidth, alone.clientHeight), std::make_tuple(64, 64, 400, 300));
    ASSERT_EQ(alone.controls.size(), 3u);
    EXPECT_EQ(alone.controls[0].text, "An unexpected error has occured!");
    EXPECT_EQ(alone.controls[1].text, "report");
    EXPECT_EQ(std::tie(alone.controls[1].x, alone.controls[1].y, alone.controls[1].width, alone.controls[1].height),
              std::make_tuple(8, 92, 384, 168));
    const auto& close = alone.controls[2];
    EXPECT_EQ(close.text, "Close Now");
    EXPECT_EQ(std::tie(close.x, close.y, close.width, close.height), std::make_tuple(8, 268, 384, 24));

    const platform::DialogLayout both = BuildCrashWindowLayout("report", true, false);
    ASSERT_EQ(both.controls.size(), 4u);
    EXPECT_EQ(both.controls[2].text, "Send Report");
    EXPECT_EQ(std::tie(both.controls[2].x, both.controls[2].width), std::make_tuple(8, 188));
    EXPECT_FALSE(both.controls[2].enabled); // no application to ask for the fields
    EXPECT_TRUE(both.controls[2].isDefault);
    EXPECT_EQ(std::tie(both.controls[3].x, both.controls[3].width), std::make_tuple(204, 188));
}

TEST(CrashReportTest, UploadBodyIsByteExactAndReachesTheServerWhole) {
    CrashUpload upload;
    upload.extraFields = {{"zeta", "last"}, {"alpha", "first"}};
    upload.product = "Velmar";
    upload.version = "1.0";
    upload.userText = "it fell";
    upload.errorTitle = "Exception at 0001:00000010";
    upload.errorText = "Exception: ...\r\n";
    upload.attachDemo = true;
    upload.demoBytes = std::string("D\0\xff", 3);
    const std::string B = "---------------------------7d3e1f30eec";
    const auto part = [&B](const std::string& name, const std::string& value) {
        return "--" + B + "\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value + "\r\n";
    };
    const std::string expected = part("alpha", "first") + part("zeta", "last") + part("prod", "Velmar") +
                                 part("version", "1.0") + part("usertext", "it fell") +
                                 part("errortitle", "Exception at 0001:00000010") +
                                 part("errortext", "Exception: ...\r\n") + "--" + B +
                                 "\r\nContent-Disposition: form-data; name=\"demofile\"; filename=\"velmar.dmo\"\r\n"
                                 "Content-Type: application/octet-stream\r\n\r\n" +
                                 std::string("D\0\xff", 3) + "\r\n--" + B + "--\r\n";
    const std::string body = BuildCrashUploadBody(upload);
    EXPECT_EQ(body, expected);

    LoopbackHttpServer server({"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"});
    HTTPTransfer transfer;
    SubmitCrashReport(transfer, server.Address(), upload);
    for (int i = 0; i < 250 && transfer.GetResult() == HTTPTransfer::kResultRunning; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(transfer.GetResult(), HTTPTransfer::kResultDone);
    EXPECT_EQ(server.Request(), "POST /varnel_error.php HTTP/1.1\r\n"
                                "Content-Type: multipart/form-data; boundary=" +
                                    B +
                                    "\r\nUser-Agent: Mozilla/4.0 (compatible; velmar)\r\n"
                                    "Host: " +
                                    server.Address() + "\r\nContent-Length: " + std::to_string(expected.size()) +
                                    "\r\nConnection: close\r\n\r\n" + expected);
}

} // namespace
} // namespace app_test
