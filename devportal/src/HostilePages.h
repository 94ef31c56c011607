#pragma once

#include <string>

// Pages that misbehave in the client's views, served in place of an answer:
//   popups      window.open() `count` times at load and at every click
//   open_games  external.OpenGame() `count` times at load and at every click
//   dialogs     alert() (or confirm() with kind=confirm) `count` times in a
//               row, 0 for without end; the title becomes "dialogs done" after
//   permissions asks for the position and for notifications; the title
//               becomes "position:<answer> notifications:<answer>"
// Unknown kinds give an empty string.
namespace HostilePages {

std::string page(const std::string &kind, int count, const std::string &variant);
}
