#pragma once
#include "TaggedObject.hxx"
