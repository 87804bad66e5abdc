#include "framework/app/http_response_reader.h"

#include <algorithm>

#include "framework/util/string_util.h"

namespace Kavo {

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

HttpResponseReader::Outcome HttpResponseReader::Feed(std::string_view data) {
    if (mOutcome != Outcome::Running)
        return mOutcome;
    mWork.append(data.data(), data.size());
    Process();
    // Drop what was taken so the work text holds only what is pending.
    if (mPos > 0) {
        mWork.erase(0, mPos);
        mPos = 0;
    }
    return mOutcome;
}

HttpResponseReader::Outcome HttpResponseReader::Close() {
    if (mOutcome != Outcome::Running)
        return mOutcome;
    switch (mPhase) {
    case Phase::Headers:
        // A response without a status line and blank line is taken as it is.
        Finish(Outcome::Finished);
        break;
    case Phase::Body:
        if (mContentLength < 1)
            Finish(Outcome::Finished);
        else
            Fail(FormatString("connection closed %d bytes before the end of the body", mRemaining));
        break;
    default:
        Fail("connection closed before the last chunk");
        break;
    }
    return mOutcome;
}

bool HttpResponseReader::NextLine(std::string& line) {
    const std::size_t end = mWork.find("\r\n", mPos);
    if (end == std::string::npos) {
        if (mWork.size() - mPos > kMaxLineLength)
            Fail("line too long");
        return false;
    }
    if (end - mPos > kMaxLineLength) {
        Fail("line too long");
        return false;
    }
    line.assign(mWork, mPos, end - mPos);
    mPos = end + 2;
    return true;
}

void HttpResponseReader::Process() {
    std::string line;
    while (mOutcome == Outcome::Running) {
        const std::size_t available = mWork.size() - mPos;
        switch (mPhase) {
        case Phase::Headers:
            if (!NextLine(line))
                return;
            HeaderLine(line);
            break;
        case Phase::Body: {
            if (available == 0)
                return;
            if (mContentLength < 1) {
                mBody.append(mWork, mPos, available);
                mPos += available;
                return;
            }
            const std::size_t take = std::min(available, static_cast<std::size_t>(mRemaining));
            mBody.append(mWork, mPos, take);
            mPos += take;
            mRemaining -= static_cast<int32_t>(take);
            if (mRemaining == 0)
                Finish(Outcome::Finished);
            break;
        }
        case Phase::ChunkSize:
            if (!NextLine(line))
                return;
            ChunkSizeLine(line);
            break;
        case Phase::ChunkData: {
            if (available == 0)
                return;
            const std::size_t take = std::min(available, static_cast<std::size_t>(mRemaining));
            mBody.append(mWork, mPos, take);
            mPos += take;
            mRemaining -= static_cast<int32_t>(take);
            if (mRemaining == 0)
                mPhase = Phase::ChunkEnd;
            break;
        }
        case Phase::ChunkEnd:
            if (available < 2)
                return;
            if (mWork.compare(mPos, 2, "\r\n") != 0) {
                Fail("chunk not followed by CR LF");
                return;
            }
            mPos += 2;
            mPhase = Phase::ChunkSize;
            break;
        case Phase::Done:
            return;
        }
    }
}

void HttpResponseReader::HeaderLine(const std::string& line) {
    if (line.empty()) {
        mPhase = mChunked ? Phase::ChunkSize : Phase::Body;
        mRemaining = mContentLength;
        return;
    }
    if (line.compare(0, 7, "HTTP/1.") == 0) {
        const std::string status = line.size() >= 12 ? line.substr(9, 3) : std::string();
        if (status == "404")
            Finish(Outcome::NotFound);
        else if (status != "200")
            Finish(Outcome::BadStatus);
        return;
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos)
        return;
    const std::string name = line.substr(0, colon);
    const std::string value = StringTrim(line.substr(colon + 1));
    if (StringToLower(name) == "transfer-encoding") {
        mChunked = StringToLower(value).rfind("identity", 0) != 0;
    } else if (StringToLower(name) == "content-length") {
        // An unreadable length, or one past 9 digits, reads the body until the end.
        const bool digits =
            !value.empty() && value.size() <= 9 && std::all_of(value.begin(), value.end(), IsDecimalDigit);
        int length = 0;
        if (!digits || !StringToInt(value, &length))
            length = 0;
        mContentLength = length;
    }
}

void HttpResponseReader::ChunkSizeLine(const std::string& line) {
    const std::string digits = StringTrim(line.substr(0, line.find(';')));
    // At most eight digits, and below 2^31, so the size fits its counter.
    const bool hex = !digits.empty() && digits.size() <= 8 && std::all_of(digits.begin(), digits.end(), IsHexDigit);
    int size = 0;
    if (!hex || !StringToInt("0x" + digits, &size) || size < 0) {
        Fail("bad chunk size line");
        return;
    }
    if (size == 0) {
        Finish(Outcome::Finished);
        return;
    }
    mRemaining = size;
    mPhase = Phase::ChunkData;
}

void HttpResponseReader::Finish(Outcome outcome) {
    mOutcome = outcome;
    mPhase = Phase::Done;
}

void HttpResponseReader::Fail(const std::string& error) {
    if (mError.empty())
        mError = error;
    Finish(Outcome::Malformed);
}

} // namespace Kavo
