#pragma once

#include <string>

// Pages that misbehave in the client's views, served in place of an answer:
//   popups      window.open() `count` times at load and at every click
//   open_games  external.OpenGame() `count` times at load and at every click
//   dialogs     alert() (or confirm() with kind=confirm) `count` times in a
//               row, 0 for without end; the title becomes "dialogs done" after
//   huge_argument one external.OpenGame() whose game name is `count` Ki
//               characters of "游" (kind=http_data: one GetHttpData() of
//               `count` Ki "x"), 5120 Ki when count is 0; the title becomes
//               "argument sent" after the call
//   permissions asks for the position and for notifications; the title
//               becomes "position:<answer> notifications:<answer>"
// Unknown kinds give an empty string.
namespace HostilePages {

std::string page(const std::string &kind, int count, const std::string &variant);
}
