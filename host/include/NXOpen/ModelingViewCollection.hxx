#pragma once
#include "ModelingView.hxx"
