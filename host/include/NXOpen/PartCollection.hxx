#pragma once
#include "Part.hxx"
