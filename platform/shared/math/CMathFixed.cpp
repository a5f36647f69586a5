#include "platform/shared/math/CMathFixed.h"

const std::int32_t SinTable[255] = {
    0, 6, 12, 18, 25, 31, 37, 44, 50, 56,
    63, 69, 75, 81, 88, 94, 100, 107, 113, 119,
    125, 132, 138, 144, 150, 157, 163, 169, 175, 181,
    188, 194, 200, 206, 212, 219, 225, 231, 237, 243,
    249, 255, 261, 268, 274, 280, 286, 292, 298, 304,
    310, 316, 322, 328, 334, 340, 346, 352, 358, 364,
    369, 375, 381, 387, 393, 399, 404, 410, 416, 422,
    427, 433, 439, 445, 450, 456, 462, 467, 473, 478,
    484, 489, 495, 501, 506, 512, 517, 522, 528, 533,
    539, 544, 549, 555, 560, 565, 570, 576, 581, 586,
    591, 596, 601, 606, 612, 617, 622, 627, 632, 637,
    641, 646, 651, 656, 661, 666, 671, 675, 680, 685,
    689, 694, 699, 703, 708, 712, 717, 721, 726, 730,
    735, 739, 743, 748, 752, 756, 760, 765, 769, 773,
    777, 781, 785, 789, 793, 797, 801, 805, 809, 813,
    817, 820, 824, 828, 832, 835, 839, 843, 846, 850,
    853, 857, 860, 863, 867, 870, 873, 877, 880, 883,
    886, 889, 893, 896, 899, 902, 905, 908, 910, 913,
    916, 919, 922, 924, 927, 930, 932, 935, 938, 940,
    943, 945, 947, 950, 952, 954, 957, 959, 961, 963,
    965, 967, 969, 971, 973, 975, 977, 979, 981, 983,
    984, 986, 988, 989, 991, 993, 994, 996, 997, 998,
    1000, 1001, 1002, 1004, 1005, 1006, 1007, 1008, 1009, 1010,
    1011, 1012, 1013, 1014, 1015, 1016, 1016, 1017, 1018, 1019,
    1019, 1020, 1020, 1021, 1021, 1022, 1022, 1022, 1023, 1023,
    1023, 1023, 1023, 1023, 1023,
};

const std::int32_t ASinTable[255] = {
    0, 230, 460, 690, 920, 1150, 1380, 1610, 1840, 2071,
    2301, 2531, 2762, 2992, 3222, 3453, 3683, 3914, 4144, 4375,
    4606, 4837, 5068, 5299, 5530, 5761, 5992, 6223, 6455, 6686,
    6918, 7150, 7382, 7614, 7846, 8078, 8310, 8543, 8775, 9008,
    9241, 9474, 9707, 9941, 10174, 10408, 10642, 10876, 11110, 11344,
    11579, 11813, 12048, 12283, 12519, 12754, 12990, 13226, 13462, 13698,
    13935, 14172, 14409, 14646, 14884, 15122, 15360, 15598, 15837, 16076,
    16315, 16554, 16794, 17034, 17274, 17515, 17756, 17997, 18238, 18480,
    18722, 18965, 19208, 19451, 19694, 19938, 20182, 20427, 20672, 20917,
    21163, 21409, 21655, 21902, 22150, 22397, 22645, 22894, 23143, 23393,
    23642, 23893, 24144, 24395, 24647, 24899, 25152, 25405, 25658, 25913,
    26168, 26423, 26679, 26935, 27192, 27449, 27708, 27966, 28225, 28485,
    28746, 29007, 29268, 29531, 29794, 30057, 30322, 30587, 30852, 31119,
    31386, 31654, 31922, 32192, 32462, 32732, 33004, 33276, 33550, 33824,
    34098, 34374, 34651, 34928, 35207, 35486, 35766, 36047, 36329, 36612,
    36896, 37181, 37467, 37754, 38042, 38332, 38622, 38913, 39206, 39500,
    39795, 40091, 40388, 40686, 40986, 41287, 41590, 41894, 42199, 42505,
    42813, 43123, 43434, 43746, 44060, 44375, 44693, 45011, 45332, 45654,
    45978, 46304, 46631, 46961, 47292, 47625, 47961, 48298, 48638, 48979,
    49323, 49669, 50018, 50368, 50722, 51077, 51436, 51797, 52161, 52527,
    52897, 53269, 53644, 54023, 54405, 54790, 55178, 55571, 55967, 56366,
    56770, 57177, 57589, 58005, 58426, 58852, 59282, 59718, 60158, 60605,
    61057, 61515, 61979, 62450, 62928, 63413, 63906, 64407, 64916, 65435,
    65963, 66501, 67049, 67609, 68182, 68768, 69368, 69983, 70615, 71265,
    71936, 72628, 73345, 74089, 74864, 75674, 76525, 77424, 78381, 79407,
    80522, 81754, 83151, 84806, 86962,
};

namespace {

constexpr const char* kSourcePath = "..\\..\\platform\\shared\\math\\src\\CMathFixed";

// Turns an angle in [0, 184320] taken from a cosine into the angle of a
// vector whose y component is y, in (-184320, 184320].
std::int32_t AngleOfVector(std::int32_t y, std::int32_t angle) {
    if (y < 0 && angle != 0) {
        angle = CMathFixed::kAngle360 - angle;
    }
    if (angle > CMathFixed::kAngle180) {
        angle -= CMathFixed::kAngle360;
    }
    return angle;
}

}  // namespace

std::int32_t CMathFixed::Sin(std::int32_t angle) {
    // Fold into [0, 90] degrees, remembering the sign.
    bool negate = angle < 0;
    std::uint32_t a = Magnitude32(angle);
    if (a >= static_cast<std::uint32_t>(kAngle360)) {
        a %= static_cast<std::uint32_t>(kAngle360);
    }
    if (a > static_cast<std::uint32_t>(kAngle180)) {
        a = kAngle360 - a;
        negate = !negate;
    }
    if (a > static_cast<std::uint32_t>(kAngle90)) {
        a = kAngle180 - a;
    }
    // The table steps 90/255 degrees; 92160 / 255 is taken as 361.
    const std::uint32_t index = a / 361;
    const std::int32_t value = index >= 255 ? kOne : SinTable[index];
    return negate ? -value : value;
}

std::int32_t CMathFixed::ASin(std::int32_t x) {
    // The table is indexed by |x| / 4; from 1020 on, and for arguments
    // beyond +-1, the result is a right angle.
    const std::uint32_t m = Magnitude32(x);
    const std::int32_t angle = m >= 1020 ? kAngle90 : ASinTable[m >> 2];
    return x < 0 ? -angle : angle;
}

std::int32_t CMathFixed::ATan2(std::int32_t y, std::int32_t x) {
    const std::int32_t length = Sqrt(WrapAdd32(Mul(x, x), Mul(y, y)));
    if (length == 0) {
        return 0;
    }
    return AngleOfVector(y, ACos(Div(x, length)));
}

std::int32_t CMathFixed::ATan2Int(std::int32_t y, std::int32_t x) {
    const std::int32_t length = CMath::Sqrt(WrapAdd32(WrapMul32(x, x), WrapMul32(y, y)));
    if (length == 0) {
        return 0;
    }
    return AngleOfVector(y, ACos(Shl32(x, kFracBits) / length));
}

bool CMathFixed::SolveQuadratic(std::int32_t* root1, std::int32_t* root2, std::int32_t a, std::int32_t b,
                                std::int32_t c) {
    DebugAssert(root1 != nullptr, kSourcePath, 41);
    DebugAssert(root2 != nullptr, kSourcePath, 42);
    const std::int32_t discriminant = WrapSub32(Mul(b, b), WrapMul32(4, Mul(a, c)));
    const std::int32_t twoA = WrapMul32(2, a);
    if (discriminant < 0 || twoA == 0) {
        return false;
    }
    const std::int32_t s = Sqrt(discriminant);
    const std::int32_t inverse = Div(kOne, twoA);
    *root1 = Mul(WrapSub32(s, b), inverse);
    *root2 = Mul(WrapSub32(WrapNeg32(b), s), inverse);
    return true;
}
