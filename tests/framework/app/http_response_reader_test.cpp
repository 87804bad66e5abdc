#include "framework/app/http_response_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace app_test {
namespace {

using Kavo::HttpResponseReader;
using Outcome = HttpResponseReader::Outcome;

struct ReaderCase {
    const char* name;
    std::string response;
    bool closeAfter; // the connection ends after the bytes
    Outcome outcome;
    std::string body;
};

// Runs the bytes through a reader either whole or one byte at a time.
HttpResponseReader Read(const ReaderCase& c, bool bytewise) {
    HttpResponseReader reader;
    if (bytewise) {
        for (char byte : c.response)
            reader.Feed(std::string_view(&byte, 1));
    } else {
        reader.Feed(c.response);
    }
    if (c.closeAfter)
        reader.Close();
    return reader;
}

TEST(HttpResponseReaderTest, OutcomesAndBodiesWholeAndBytewise) {
    const std::string big(300, 'x');
    const ReaderCase cases[] = {
        {"sized", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhelloEXTRA", false, Outcome::Finished, "hello"},
        {"sized bigger than a read", "HTTP/1.0 200 OK\r\nContent-Length: 300\r\n\r\n" + big, false, Outcome::Finished,
         big},
        {"until close", "HTTP/1.1 200 OK\r\nServer: t\r\n\r\nall of it", true, Outcome::Finished, "all of it"},
        {"404", "HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nnop", false, Outcome::NotFound, ""},
        {"500", "HTTP/1.1 500 Oops\r\n\r\n", false, Outcome::BadStatus, ""},
        {"short status line", "HTTP/1.1 20\r\n\r\n", false, Outcome::BadStatus, ""},
        {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n7\r\n, world\r\n0\r\n\r\n",
         false, Outcome::Finished, "hello, world"},
        {"header names in any case, chunk extensions",
         "HTTP/1.1 200 OK\r\ntransfer-ENCODING: Chunked\r\n\r\n a ; name=x\r\n0123456789\r\n0;last\r\n\r\n", false,
         Outcome::Finished, "0123456789"},
        {"lower-case content length", "HTTP/1.1 200 OK\r\ncontent-length: 2\r\n\r\nokno", false, Outcome::Finished,
         "ok"},
        {"identity is not chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: identity\r\n\r\n5\r\nab", true,
         Outcome::Finished, "5\r\nab"},
        {"no status line", "X: y\r\n\r\nraw", true, Outcome::Finished, "raw"},
        {"unreadable length reads until close", "HTTP/1.1 200 OK\r\nContent-Length: 12ab\r\n\r\nabc", true,
         Outcome::Finished, "abc"},
        {"bad chunk size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", false, Outcome::Malformed,
         ""},
        {"chunk size past 31 bits", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n80000000\r\n", false,
         Outcome::Malformed, ""},
        {"chunk without its CR LF", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabXY", false,
         Outcome::Malformed, "ab"},
        {"sized body cut short", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", true, Outcome::Malformed, "abc"},
        {"chunks cut short", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nab", true, Outcome::Malformed,
         "ab"},
    };
    for (const ReaderCase& c : cases) {
        for (bool bytewise : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (bytewise ? " (bytewise)" : " (whole)"));
            const HttpResponseReader reader = Read(c, bytewise);
            EXPECT_EQ(reader.GetOutcome(), c.outcome);
            EXPECT_EQ(reader.Body(), c.body);
            EXPECT_EQ(reader.Error().empty(), c.outcome != Outcome::Malformed) << reader.Error();
        }
    }
}

TEST(HttpResponseReaderTest, OverlongLineFailsAndKeepsTheFirstError) {
    HttpResponseReader reader;
    reader.Feed("HTTP/1.1 200 OK\r\nX: ");
    EXPECT_EQ(reader.Feed(std::string(HttpResponseReader::kMaxLineLength + 10, 'a')), Outcome::Malformed);
    EXPECT_EQ(reader.Error(), "line too long");
    EXPECT_EQ(reader.Close(), Outcome::Malformed);
    EXPECT_EQ(reader.Error(), "line too long");
}

} // namespace
} // namespace app_test
