// Names for parameterised cases. GoogleTest would otherwise name a case after
// the bytes of its parameter, pointers included, which differ between the
// listing of the tests and their run.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace d88test {

struct CaseNumber {
    template <class T>
    std::string operator()(const ::testing::TestParamInfo<T>& info) const {
        return "case" + std::to_string(info.index);
    }
};

}  // namespace d88test
