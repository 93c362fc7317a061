#pragma once
// Commands that draw (pictures, PDF pages) need Qt's drawing and fonts but no
// screen: this starts an application on the offscreen platform once.
namespace brenvik::tool {

void EnsureGui();

}  // namespace brenvik::tool
