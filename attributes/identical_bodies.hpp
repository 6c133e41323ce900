// Bodies of a part, identical copies of a body, and copies lying on top of each other.
#pragma once
#include <vector>
#include <uf_defs.h>

// The part's solid bodies in the host's order; 1 when there are none, else 0.
int 得到工作所有的体(tag_t part, std::vector<tag_t>& bodies);
// Face and edge counts from the kernel; 1 when the body has no kernel body or none of them.
int 得到体的面数量(tag_t body, int& count);
int 获得体所有边(tag_t body, int& count);
// The bodies of the work part identical to `body` (same counts, volume and mass within tolerance),
// their highlight turned off; 0 when at least one was found, else 1.
int 找相同体(tag_t body, std::vector<tag_t>& same);
// 1 when the work part's drawing sheets are numbered, 2 otherwise (the ordinary working mode).
int 判断模式();
// The bodies of the list whose box an earlier body of the list already has, in list order.
std::vector<tag_t> 重叠体(const std::vector<tag_t>& bodies);
// In the ordinary working mode, colours the overlapping copies of the list red and says how many.
void 找重叠体(std::vector<tag_t> bodies);
// Colours a body (all its faces) and draws it wide.
void 设置选择体颜色(int colour, tag_t body);
