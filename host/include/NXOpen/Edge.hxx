#pragma once
#include "Face.hxx"
