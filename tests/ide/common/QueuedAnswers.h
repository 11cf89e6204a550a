// Answers a test gives its program's message boxes, one after the other.
#pragma once

#include <windows.h>

#include <deque>

// The first queued answer, taken off the queue; Cancel once the queue is empty.
inline int TakeAnswer(std::deque<int>& answers)
{
    if (answers.empty())
        return IDCANCEL;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}
