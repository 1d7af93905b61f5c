// Constants of the correctly rounded sine and power, each the nearest double
// (or the nearest double-double) to its exact value. The unit tests check every
// one of them against MPFR.
#pragma once

#include <cstdint>

#include "engine/double_double.h"

namespace exact_math {

// pi / 2 = sum of the parts to 2^-150. The first three carry 33 significant
// bits, so k times each is exact for |k| < 2^20.
inline constexpr double kHalfPiParts[4] = {0x1.921fb544p+0, 0x1.0b4611a6p-34, 0x1.3198a2ep-69, 0x1.b839a252049c1p-104};

// 2 / pi = sum of word i times 2^(-32 (i + 1)), to 2^-1344: enough for the
// reduction of every double, the largest needing words up to index 38.
inline constexpr std::uint32_t kTwoOverPiWords[42] = {
    0xa2f9836e, 0x4e441529, 0xfc2757d1, 0xf534ddc0, 0xdb629599, 0x3c439041, 0xfe5163ab, 0xdebbc561, 0xb7246e3a,
    0x424dd2e0, 0x06492eea, 0x09d1921c, 0xfe1deb1c, 0xb129a73e, 0xe88235f5, 0x2ebb4484, 0xe99c7026, 0xb45f7e41,
    0x3991d639, 0x835339f4, 0x9c845f8b, 0xbdf9283b, 0x1ff897ff, 0xde05980f, 0xef2f118b, 0x5a0a6d1f, 0x6d367ecf,
    0x27cb09b7, 0x4f463f66, 0x9e5fea2d, 0x7527bac7, 0xebe5f17b, 0x3d0739f7, 0x8a5292ea, 0x6bfb5fb1, 0x1f8d5d08,
    0x56033046, 0xfc7b6bab, 0xf0cfbc20, 0x9af4361d, 0xa9e39161, 0x5ee61b08,
};

// ln 2 = sum of the parts to 2^-165. The first three carry 35 significant
// bits, so k times each is exact for |k| < 2^18.
inline constexpr double kLn2Parts[4] = {0x1.62e42fefcp-1, -0x1.c610ca86cp-37, -0x1.c4c67fc0cp-76,
                                        -0x1.0950bf0cbcd99p-112};

// 2^(j / 128) for j = 0..127.
inline constexpr DoubleDouble kExp2Table[128] = {
    {0x1p+0, 0x0p+0},
    {0x1.0163da9fb3335p+0, 0x1.b61299ab8cdb7p-54},
    {0x1.02c9a3e778061p+0, -0x1.19083535b085dp-56},
    {0x1.04315e86e7f85p+0, -0x1.0a31c1977c96ep-54},
    {0x1.059b0d3158574p+0, 0x1.d73e2a475b465p-55},
    {0x1.0706b29ddf6dep+0, -0x1.c91dfe2b13c27p-55},
    {0x1.0874518759bc8p+0, 0x1.186be4bb284ffp-57},
    {0x1.09e3ecac6f383p+0, 0x1.1487818316136p-54},
    {0x1.0b5586cf9890fp+0, 0x1.8a62e4adc610bp-54},
    {0x1.0cc922b7247f7p+0, 0x1.01edc16e24f71p-54},
    {0x1.0e3ec32d3d1a2p+0, 0x1.03a1727c57b53p-59},
    {0x1.0fb66affed31bp+0, -0x1.b9bedc44ebd7bp-57},
    {0x1.11301d0125b51p+0, -0x1.6c51039449b3ap-54},
    {0x1.12abdc06c31ccp+0, -0x1.1b514b36ca5c7p-58},
    {0x1.1429aaea92dep+0, -0x1.32fbf9af1369ep-54},
    {0x1.15a98c8a58e51p+0, 0x1.2406ab9eeab0ap-55},
    {0x1.172b83c7d517bp+0, -0x1.19041b9d78a76p-55},
    {0x1.18af9388c8deap+0, -0x1.11023d1970f6cp-54},
    {0x1.1a35beb6fcb75p+0, 0x1.e5b4c7b4968e4p-55},
    {0x1.1bbe084045cd4p+0, -0x1.95386352ef607p-54},
    {0x1.1d4873168b9aap+0, 0x1.e016e00a2643cp-54},
    {0x1.1ed5022fcd91dp+0, -0x1.1df98027bb78cp-54},
    {0x1.2063b88628cd6p+0, 0x1.dc775814a8495p-55},
    {0x1.21f49917ddc96p+0, 0x1.2a97e9494a5eep-55},
    {0x1.2387a6e756238p+0, 0x1.9b07eb6c70573p-54},
    {0x1.251ce4fb2a63fp+0, 0x1.ac155bef4f4a4p-55},
    {0x1.26b4565e27cddp+0, 0x1.2bd339940e9d9p-55},
    {0x1.284dfe1f56381p+0, -0x1.a4c3a8c3f0d7ep-54},
    {0x1.29e9df51fdee1p+0, 0x1.612e8afad1255p-55},
    {0x1.2b87fd0dad99p+0, -0x1.10adcd6381aa4p-59},
    {0x1.2d285a6e4030bp+0, 0x1.0024754db41d5p-54},
    {0x1.2ecafa93e2f56p+0, 0x1.1ca0f45d52383p-56},
    {0x1.306fe0a31b715p+0, 0x1.6f46ad23182e4p-55},
    {0x1.32170fc4cd831p+0, 0x1.a9ce78e18047cp-55},
    {0x1.33c08b26416ffp+0, 0x1.32721843659a6p-54},
    {0x1.356c55f929ff1p+0, -0x1.b5cee5c4e4628p-55},
    {0x1.371a7373aa9cbp+0, -0x1.63aeabf42eae2p-54},
    {0x1.38cae6d05d866p+0, -0x1.e958d3c9904bdp-54},
    {0x1.3a7db34e59ff7p+0, -0x1.5e436d661f5e3p-56},
    {0x1.3c32dc313a8e5p+0, -0x1.efff8375d29c3p-54},
    {0x1.3dea64c123422p+0, 0x1.ada0911f09ebcp-55},
    {0x1.3fa4504ac801cp+0, -0x1.7d023f956f9f3p-54},
    {0x1.4160a21f72e2ap+0, -0x1.ef3691c309278p-58},
    {0x1.431f5d950a897p+0, -0x1.1c7dde35f7999p-55},
    {0x1.44e086061892dp+0, 0x1.89b7a04ef80dp-59},
    {0x1.46a41ed1d0057p+0, 0x1.c944bd1648a76p-54},
    {0x1.486a2b5c13cdp+0, 0x1.3c1a3b69062fp-56},
    {0x1.4a32af0d7d3dep+0, 0x1.9cb62f3d1be56p-54},
    {0x1.4bfdad5362a27p+0, 0x1.d4397afec42e2p-56},
    {0x1.4dcb299fddd0dp+0, 0x1.8ecdbbc6a7833p-54},
    {0x1.4f9b2769d2ca7p+0, -0x1.4b309d25957e3p-54},
    {0x1.516daa2cf6642p+0, -0x1.f768569bd93efp-55},
    {0x1.5342b569d4f82p+0, -0x1.07abe1db13cadp-55},
    {0x1.551a4ca5d920fp+0, -0x1.d689cefede59bp-55},
    {0x1.56f4736b527dap+0, 0x1.9bb2c011d93adp-54},
    {0x1.58d12d497c7fdp+0, 0x1.295e15b9a1de8p-55},
    {0x1.5ab07dd485429p+0, 0x1.6324c054647adp-54},
    {0x1.5c9268a5946b7p+0, 0x1.c4b1b816986a2p-60},
    {0x1.5e76f15ad2148p+0, 0x1.ba6f93080e65ep-54},
    {0x1.605e1b976dc09p+0, -0x1.3e2429b56de47p-54},
    {0x1.6247eb03a5585p+0, -0x1.383c17e40b497p-54},
    {0x1.6434634ccc32p+0, -0x1.c483c759d8933p-55},
    {0x1.6623882552225p+0, -0x1.bb60987591c34p-54},
    {0x1.68155d44ca973p+0, 0x1.038ae44f73e65p-57},
    {0x1.6a09e667f3bcdp+0, -0x1.bdd3413b26456p-54},
    {0x1.6c012750bdabfp+0, -0x1.2895667ff0b0dp-56},
    {0x1.6dfb23c651a2fp+0, -0x1.bbe3a683c88abp-57},
    {0x1.6ff7df9519484p+0, -0x1.83c0f25860ef6p-55},
    {0x1.71f75e8ec5f74p+0, -0x1.16e4786887a99p-55},
    {0x1.73f9a48a58174p+0, -0x1.0a8d96c65d53cp-54},
    {0x1.75feb564267c9p+0, -0x1.0245957316dd3p-54},
    {0x1.780694fde5d3fp+0, 0x1.866b80a02162dp-54},
    {0x1.7a11473eb0187p+0, -0x1.41577ee04992fp-55},
    {0x1.7c1ed0130c132p+0, 0x1.f124cd1164dd6p-54},
    {0x1.7e2f336cf4e62p+0, 0x1.05d02ba15797ep-56},
    {0x1.80427543e1a12p+0, -0x1.27c86626d972bp-54},
    {0x1.82589994cce13p+0, -0x1.d4c1dd41532d8p-54},
    {0x1.8471a4623c7adp+0, -0x1.8d684a341cdfbp-55},
    {0x1.868d99b4492edp+0, -0x1.fc6f89bd4f6bap-54},
    {0x1.88ac7d98a6699p+0, 0x1.994c2f37cb53ap-54},
    {0x1.8ace5422aa0dbp+0, 0x1.6e9f156864b27p-54},
    {0x1.8cf3216b5448cp+0, -0x1.0d55e32e9e3aap-56},
    {0x1.8f1ae99157736p+0, 0x1.5cc13a2e3976cp-55},
    {0x1.9145b0b91ffc6p+0, -0x1.dd6792e582524p-54},
    {0x1.93737b0cdc5e5p+0, -0x1.75fc781b57ebcp-57},
    {0x1.95a44cbc8520fp+0, -0x1.64b7c96a5f039p-56},
    {0x1.97d829fde4e5p+0, -0x1.d185b7c1b85d1p-54},
    {0x1.9a0f170ca07bap+0, -0x1.173bd91cee632p-54},
    {0x1.9c49182a3f09p+0, 0x1.c7c46b071f2bep-56},
    {0x1.9e86319e32323p+0, 0x1.824ca78e64c6ep-56},
    {0x1.a0c667b5de565p+0, -0x1.359495d1cd533p-54},
    {0x1.a309bec4a2d33p+0, 0x1.6305c7ddc36abp-54},
    {0x1.a5503b23e255dp+0, -0x1.d2f6edb8d41e1p-54},
    {0x1.a799e1330b358p+0, 0x1.bcb7ecac563c7p-54},
    {0x1.a9e6b5579fdbfp+0, 0x1.0fac90ef7fd31p-54},
    {0x1.ac36bbfd3f37ap+0, -0x1.f9234cae76cdp-55},
    {0x1.ae89f995ad3adp+0, 0x1.7a1cd345dcc81p-54},
    {0x1.b0e07298db666p+0, -0x1.bdef54c80e425p-54},
    {0x1.b33a2b84f15fbp+0, -0x1.2805e3084d708p-57},
    {0x1.b59728de5593ap+0, -0x1.c71dfbbba6de3p-54},
    {0x1.b7f76f2fb5e47p+0, -0x1.5584f7e54ac3bp-56},
    {0x1.ba5b030a1064ap+0, -0x1.efcd30e54292ep-54},
    {0x1.bcc1e904bc1d2p+0, 0x1.23dd07a2d9e84p-55},
    {0x1.bf2c25bd71e09p+0, -0x1.efdca3f6b9c73p-54},
    {0x1.c199bdd85529cp+0, 0x1.11065895048ddp-55},
    {0x1.c40ab5fffd07ap+0, 0x1.b4537e083c60ap-54},
    {0x1.c67f12e57d14bp+0, 0x1.2884dff483cadp-54},
    {0x1.c8f6d9406e7b5p+0, 0x1.1acbc48805c44p-56},
    {0x1.cb720dcef9069p+0, 0x1.503cbd1e949dbp-56},
    {0x1.cdf0b555dc3fap+0, -0x1.dd83b53829d72p-55},
    {0x1.d072d4a07897cp+0, -0x1.cbc3743797a9cp-54},
    {0x1.d2f87080d89f2p+0, -0x1.d487b719d8578p-54},
    {0x1.d5818dcfba487p+0, 0x1.2ed02d75b3707p-55},
    {0x1.d80e316c98398p+0, -0x1.11ec18beddfe8p-54},
    {0x1.da9e603db3285p+0, 0x1.c2300696db532p-54},
    {0x1.dd321f301b46p+0, 0x1.2da5778f018c3p-54},
    {0x1.dfc97337b9b5fp+0, -0x1.1a5cd4f184b5cp-54},
    {0x1.e264614f5a129p+0, -0x1.7b627817a1496p-54},
    {0x1.e502ee78b3ff6p+0, 0x1.39e8980a9cc8fp-55},
    {0x1.e7a51fbc74c83p+0, 0x1.2d522ca0c8de2p-54},
    {0x1.ea4afa2a490dap+0, -0x1.e9c23179c2893p-54},
    {0x1.ecf482d8e67f1p+0, -0x1.c93f3b411ad8cp-54},
    {0x1.efa1bee615a27p+0, 0x1.dc7f486a4b6bp-54},
    {0x1.f252b376bba97p+0, 0x1.3a1a5bf0d8e43p-54},
    {0x1.f50765b6e454p+0, 0x1.9d3e12dd8a18bp-54},
    {0x1.f7bfdad9cbe14p+0, -0x1.dbb12d006350ap-54},
    {0x1.fa7c1819e90d8p+0, 0x1.74853f3a5931ep-55},
    {0x1.fd3c22b8f71f1p+0, 0x1.2eb74966579e7p-57},
};

struct LogTableEntry {
    double reciprocal;     // r, close to 1 / the middle of the mantissa cell
    DoubleDouble minusLog; // -ln r
};

// Entry j serves mantissas m in [1 + j/128, 1 + (j+1)/128). Below sqrt 2
// (j < 53) r is 256 / (257 + 2j) and the logarithm uses m; from there on r
// is 512 / (257 + 2j) and it uses m / 2, so that ln x never cancels against
// the exponent's multiple of ln 2. The two cells touching 1 use r = 1 exactly,
// which keeps ln x relatively accurate however close x is to 1. m r - 1 then
// lies within 2^-7 for j = 0 and within 2^-8 elsewhere.
inline constexpr LogTableEntry kLogTable[128] = {
    {0x1p+0, {-0x0p+0, 0x0p+0}},
    {0x1.fa11caa01fa12p-1, {0x1.7dc475f810a69p-7, 0x1.74944bc161072p-61}},
    {0x1.f6310aca0dbb5p-1, {0x1.3cea44346a584p-6, -0x1.865ad48159dp-61}},
    {0x1.f25f644230ab5p-1, {0x1.b9fc027af919ap-6, -0x1.90ae69229dc86p-60}},
    {0x1.ee9c7f8458e02p-1, {0x1.1b0d98923d97fp-5, -0x1.74d7444dd6241p-59}},
    {0x1.eae807aba01ebp-1, {0x1.58a5bafc8e4d3p-5, -0x1.cab8569c56e4p-64}},
    {0x1.e741aa59750e4p-1, {0x1.95c830ec8e3f2p-5, 0x1.eb41d00a417e9p-60}},
    {0x1.e3a9179dc1a73p-1, {0x1.d276b8adb0b56p-5, 0x1.078f14c95ff53p-59}},
    {0x1.e01e01e01e01ep-1, {0x1.075983598e471p-4, 0x1.006d2999e22dcp-58}},
    {0x1.dca01dca01dcap-1, {0x1.253f62f0a1417p-4, 0x1.1f6d34e01d981p-61}},
    {0x1.d92f2231e7f8ap-1, {0x1.42edcbea646eep-4, -0x1.511583653349bp-58}},
    {0x1.d5cac807572b2p-1, {0x1.60658a93750c4p-4, -0x1.f108b1d8436d3p-59}},
    {0x1.d272ca3fc5b1ap-1, {0x1.7da766d7b12dp-4, 0x1.a2240644d7da2p-59}},
    {0x1.cf26e5c44bfc6p-1, {0x1.9ab42462033aep-4, -0x1.a099e1c184e8ep-59}},
    {0x1.cbe6d9601cbe7p-1, {0x1.b78c82bb0edap-4, -0x1.3ef0e61f9b03cp-58}},
    {0x1.c8b265afb8a42p-1, {0x1.d4313d66cb35dp-4, 0x1.b90dd951d90fap-58}},
    {0x1.c5894d10d4986p-1, {0x1.f0a30c01162a4p-4, 0x1.8be64b8b7759bp-59}},
    {0x1.c26b5392ea01cp-1, {0x1.0671512ca596fp-3, -0x1.2f39b81479b67p-58}},
    {0x1.bf583ee868d8bp-1, {0x1.14785846742acp-3, 0x1.94409f1d3f83ap-60}},
    {0x1.bc4fd65883e7bp-1, {0x1.2266f190a5acdp-3, -0x1.dab840e7f6177p-57}},
    {0x1.b951e2b18ff23p-1, {0x1.303d718e47fd5p-3, -0x1.b5ae71f658247p-57}},
    {0x1.b65e2e3beee05p-1, {0x1.3dfc2b0ecc62ap-3, 0x1.ba62b8c13f7f4p-57}},
    {0x1.b37484ad806cep-1, {0x1.4ba36f39a55e5p-3, -0x1.f767e433c98aap-57}},
    {0x1.b094b31d922a4p-1, {0x1.59338d9982085p-3, 0x1.8d16eaaba9419p-57}},
    {0x1.adbe87f94905ep-1, {0x1.66acd4272ad51p-3, -0x1.9201c9c3d5165p-59}},
    {0x1.aaf1d2f87ebfdp-1, {0x1.740f8f54037a3p-3, 0x1.6d9bf9d57b326p-58}},
    {0x1.a82e65130e159p-1, {0x1.815c0a14357e9p-3, 0x1.141b7f8c5fa9ep-58}},
    {0x1.a574107688a4ap-1, {0x1.8e928de886d41p-3, 0x1.2589eb96a624p-59}},
    {0x1.a2c2a87c51cap-1, {0x1.9bb362e7dfb85p-3, -0x1.51439c1ff83e7p-58}},
    {0x1.a01a01a01a01ap-1, {0x1.a8becfc882f19p-3, -0x1.a8c37918c39ebp-58}},
    {0x1.9d79f176b682dp-1, {0x1.b5b519e8fb5a6p-3, -0x1.d5d8023e61e5fp-57}},
    {0x1.9ae24ea5510dap-1, {0x1.c2968558c18c2p-3, 0x1.6108e3ae024acp-60}},
    {0x1.9852f0d8ec0ffp-1, {0x1.cf6354e09c5ddp-3, 0x1.339a07d55b696p-57}},
    {0x1.95cbb0be377aep-1, {0x1.dc1bca0abec7bp-3, 0x1.c698a33316dfbp-58}},
    {0x1.934c67f9b2ce6p-1, {0x1.e8c0252aa5a6p-3, -0x1.dc074737f9135p-60}},
    {0x1.90d4f120190d5p-1, {0x1.f550a564b7b37p-3, -0x1.13a09202fe73dp-57}},
    {0x1.8e6527af1373fp-1, {0x1.00e6c45ad501dp-2, -0x1.3b9568ff6feadp-57}},
    {0x1.8bfce8062ff3ap-1, {0x1.071b85fcd590dp-2, 0x1.08b83fcbdef4p-57}},
    {0x1.899c0f601899cp-1, {0x1.0d46b579ab74bp-2, 0x1.21f640e1e5ec9p-56}},
    {0x1.87427bcc092b9p-1, {0x1.136870293a8bp-2, 0x1.86cc531dba494p-57}},
    {0x1.84f00c2780614p-1, {0x1.1980d2dd4236fp-2, -0x1.02c2e4f1b2eb9p-56}},
    {0x1.82a4a0182a4ap-1, {0x1.1f8ff9e48a2f3p-2, -0x1.93fbf3418960dp-57}},
    {0x1.8060180601806p-1, {0x1.2596010df763ap-2, -0x1.9eed8ae0ebd3cp-59}},
    {0x1.7e225515a4f1dp-1, {0x1.2b9303ab89d25p-2, -0x1.85ad7f614ab51p-58}},
    {0x1.7beb3922e017cp-1, {0x1.31871c9544185p-2, -0x1.ea3598981366fp-57}},
    {0x1.79baa6bb6398bp-1, {0x1.3772662bfd85cp-2, 0x1.02a7589fba088p-57}},
    {0x1.77908119ac60dp-1, {0x1.3d54fa5c1f71p-2, 0x1.53668e578d9cdp-58}},
    {0x1.756cac201756dp-1, {0x1.432ef2a04e813p-2, -0x1.83262e2b59206p-57}},
    {0x1.734f0c541fe8dp-1, {0x1.49006804009dp-2, -0x1.bff0d07c5df6dp-59}},
    {0x1.713786d9c7c09p-1, {0x1.4ec9732600269p-2, -0x1.1aa87d977dc5ep-56}},
    {0x1.6f26016f26017p-1, {0x1.548a2c3add263p-2, -0x1.58ce7bf1846eep-56}},
    {0x1.6d1a62681c861p-1, {0x1.5a42ab0f4cfe2p-2, -0x1.c6bcb7dee9a3dp-56}},
    {0x1.6b1490aa31a3dp-1, {0x1.5ff3070a793d4p-2, -0x1.063077d7e37b7p-56}},
    {0x1.691473a88d0cp+0, {-0x1.602d08af091ecp-2, -0x1.a45db7cfd923p-56}},
    {0x1.6719f3601671ap+0, {-0x1.5a8cadbbedfa1p-2, -0x1.64f5081307f22p-60}},
    {0x1.6524f853b4aa3p+0, {-0x1.54f431b7be1a8p-2, 0x1.0b3f6ef6ae452p-58}},
    {0x1.63356b88ac0dep+0, {-0x1.4f637ebba981p-2, 0x1.68cb3124b9245p-56}},
    {0x1.614b36831ae94p+0, {-0x1.49da7f3bcc42p-2, 0x1.d964a168ccacbp-57}},
    {0x1.5f66434292dfcp+0, {-0x1.44591e0539f49p-2, -0x1.a76d6dc2782dap-59}},
    {0x1.5d867c3ece2a5p+0, {-0x1.3edf463c1683ep-2, 0x1.c852fe587def8p-57}},
    {0x1.5babcc647fa91p+0, {-0x1.396ce359bbf53p-2, 0x1.5c5663663d163p-59}},
    {0x1.59d61f123ccaap+0, {-0x1.3401e12aecbap-2, -0x1.f95523adc5c9fp-57}},
    {0x1.580560158056p+0, {-0x1.2e9e2bce12286p-2, 0x1.f3ed72e23e134p-57}},
    {0x1.56397ba7c52e2p+0, {-0x1.2941afb186b7cp-2, -0x1.6a4678ebaa3p-59}},
    {0x1.54725e6bb82fep+0, {-0x1.23ec5991eba49p-2, -0x1.76eba35bbf0dfp-61}},
    {0x1.52aff56a8054bp+0, {-0x1.1e9e1678899f5p-2, -0x1.64b0dd2687939p-58}},
    {0x1.50f22e111c4c5p+0, {-0x1.1956d3b9bc2f9p-2, -0x1.0e75a3542856fp-58}},
    {0x1.4f38f62dd4c9bp+0, {-0x1.14167ef367784p-2, -0x1.ef824daaf53e9p-56}},
    {0x1.4d843bedc2c4cp+0, {-0x1.0edd060b78082p-2, -0x1.2d4b610d7d4f5p-57}},
    {0x1.4bd3edda68fe1p+0, {-0x1.09aa572e6c6d4p-2, -0x1.f9e17343426a9p-56}},
    {0x1.4a27fad76014ap+0, {-0x1.047e60cde83b7p-2, -0x1.08869cbf9e344p-56}},
    {0x1.488052201488p+0, {-0x1.feb2233ea07cbp-3, -0x1.8de00938b4c3p-61}},
    {0x1.46dce34596066p+0, {-0x1.f474b134df228p-3, 0x1.9f1df7b5daab7p-60}},
    {0x1.453d9e2c776cap+0, {-0x1.ea4449f04aaf5p-3, 0x1.f33919ab94074p-57}},
    {0x1.43a2730abee4dp+0, {-0x1.e020cc6235ab5p-3, 0x1.f0adb91423f18p-57}},
    {0x1.420b5265e5951p+0, {-0x1.d60a17f903514p-3, 0x1.50df841a71b7ap-57}},
    {0x1.40782d10e6566p+0, {-0x1.cc000c9db3c52p-3, -0x1.67a2a8500729ep-58}},
    {0x1.3ee8f42a5af07p+0, {-0x1.c2028ab17f9b5p-3, -0x1.c11aa3853a5fp-57}},
    {0x1.3d5d991aa75c6p+0, {-0x1.b811730b823d4p-3, 0x1.d7c46328983c6p-58}},
    {0x1.3bd60d9232955p+0, {-0x1.ae2ca6f672bd8p-3, 0x1.a4a356155f779p-57}},
    {0x1.3a524387ac822p+0, {-0x1.a454082e6ab03p-3, 0x1.e0df823a3cb3dp-58}},
    {0x1.38d22d366088ep+0, {-0x1.9a8778debaa3ap-3, -0x1.28fbfb0e3f0fcp-58}},
    {0x1.3755bd1c945eep+0, {-0x1.90c6db9fcbcdbp-3, 0x1.357718d7ca4cfp-58}},
    {0x1.35dce5f9f2af8p+0, {-0x1.871213750e994p-3, 0x1.a97a0ca115d6p-57}},
    {0x1.34679ace01346p+0, {-0x1.7d6903caf5acdp-3, 0x1.0b17c301d6e14p-57}},
    {0x1.32f5ced6a1dfap+0, {-0x1.73cb9074fd14dp-3, 0x1.721a000b4cf01p-57}},
    {0x1.3187758e9ebb6p+0, {-0x1.6a399dabbd383p-3, -0x1.76332bd4b341fp-57}},
    {0x1.301c82ac4026p+0, {-0x1.60b3100b09474p-3, -0x1.526cee0fd7f4ap-57}},
    {0x1.2eb4ea1fed14bp+0, {-0x1.5737cc9018cddp-3, 0x1.00b28ef013c72p-57}},
    {0x1.2d50a012d50ap+0, {-0x1.4dc7b897bc1c7p-3, -0x1.b60ae1ff0e82ep-59}},
    {0x1.2bef98e5a3711p+0, {-0x1.4462b9dc9b3dcp-3, 0x1.85388d830c709p-59}},
    {0x1.2a91c92f3c105p+0, {-0x1.3b08b6757f2a7p-3, -0x1.5e1ad9be0a4cdp-57}},
    {0x1.293725bb804a5p+0, {-0x1.31b994d3a4f86p-3, 0x1.1238b5efe0665p-57}},
    {0x1.27dfa38a1ce4dp+0, {-0x1.28753bc11aba2p-3, 0x1.7394d9fa33313p-57}},
    {0x1.268b37cd60127p+0, {-0x1.1f3b925f25d44p-3, -0x1.08b27be4e6b15p-57}},
    {0x1.2539d7e9177b2p+0, {-0x1.160c8024b27bp-3, 0x1.355bfd870afebp-59}},
    {0x1.23eb79717605bp+0, {-0x1.0ce7ecdccc28bp-3, -0x1.1b57fea88da98p-59}},
    {0x1.22a0122a0122ap+0, {-0x1.03cdc0a51ec0dp-3, -0x1.19e2d3f8b7d1p-57}},
    {0x1.21579804855e6p+0, {-0x1.f57bc7d9005dbp-4, 0x1.d361574fb24e2p-58}},
    {0x1.2012012012012p+0, {-0x1.e3707ee30487bp-4, -0x1.9399d9aaf3b33p-59}},
    {0x1.1ecf43c7fb84cp+0, {-0x1.d179788219362p-4, 0x1.b12841044a96cp-58}},
    {0x1.1d8f5672e4abdp+0, {-0x1.bf968769fca18p-4, 0x1.06e4fb7af9c69p-58}},
    {0x1.1c522fc1ce059p+0, {-0x1.adc77ee5aea8ep-4, -0x1.d7d8f39bee658p-58}},
    {0x1.1b17c67f2bae3p+0, {-0x1.9c0c32d4d254dp-4, 0x1.627a0e199f569p-58}},
    {0x1.19e0119e0119ep+0, {-0x1.8a6477a91dc29p-4, 0x1.3d4190a482421p-58}},
    {0x1.18ab083902bdbp+0, {-0x1.78d02263d82d7p-4, -0x1.cbca5b4fdb87ep-58}},
    {0x1.1778a191bd684p+0, {-0x1.674f089365a78p-4, -0x1.ca64e9980e048p-59}},
    {0x1.1648d50fc3201p+0, {-0x1.55e10050e0382p-4, -0x1.9a0629e3973e4p-58}},
    {0x1.151b9a3fdd5c9p+0, {-0x1.4485e03dbdfbp-4, -0x1.3ba349aadbc6dp-58}},
    {0x1.13f0e8d344724p+0, {-0x1.333d7f8183f4ap-4, 0x1.adaa06e211e9ep-59}},
    {0x1.12c8b89edc0acp+0, {-0x1.2207b5c7854a1p-4, -0x1.b3f0431efb154p-58}},
    {0x1.11a3019a74826p+0, {-0x1.10e45b3cae829p-4, -0x1.9b5ed72e6d974p-58}},
    {0x1.107fbbe01108p+0, {-0x1.ffa6911ab9309p-5, 0x1.cd9f1f95c2ef1p-59}},
    {0x1.0f5edfab325a2p+0, {-0x1.dda8adc67ee59p-5, 0x1.31936790bb3b2p-59}},
    {0x1.0e40655826011p+0, {-0x1.bbcebfc68f424p-5, 0x1.cd1862f854848p-59}},
    {0x1.0d24456359e3ap+0, {-0x1.9a187b573de81p-5, -0x1.b13b26f298a6ap-64}},
    {0x1.0c0a7868b4171p+0, {-0x1.788595a3577c8p-5, -0x1.2f7c4c5b3c8bdp-62}},
    {0x1.0af2f722eecb5p+0, {-0x1.5715c4c03cee1p-5, -0x1.5101dc4ebf91fp-59}},
    {0x1.09ddba6af836p+0, {-0x1.35c8bfaa13069p-5, 0x1.50830a65543a8p-63}},
    {0x1.08cabb37565e2p+0, {-0x1.149e3e4005a8dp-5, 0x1.a9a4168fcebebp-60}},
    {0x1.07b9f29b8eae2p+0, {-0x1.e72bf2813ce6ap-6, 0x1.8a4bba6a354fap-60}},
    {0x1.06ab59c7912fbp+0, {-0x1.a55f548c5c427p-6, -0x1.f60d2fc36a0d9p-61}},
    {0x1.059eea0727586p+0, {-0x1.63d6178690bbep-6, 0x1.18ed4d357c9dcp-60}},
    {0x1.04949cc1664c5p+0, {-0x1.228fb1fea2e0ap-6, -0x1.3284991fe3d5cp-61}},
    {0x1.038c6b78247fcp+0, {-0x1.c317384c75f0dp-7, -0x1.806208c04c21fp-61}},
    {0x1.02864fc7729e9p+0, {-0x1.41929f968330cp-7, -0x1.3aae809b43ddp-61}},
    {0x1.0182436517a37p+0, {-0x1.8121214586b02p-8, 0x1.c7d68c0d910f2p-62}},
    {0x1p+0, {-0x0p+0, 0x0p+0}},
};

// 1 / n! for n = 0..30.
inline constexpr DoubleDouble kInverseFactorial[31] = {
    {0x1p+0, 0x0p+0},                                 // 1/0!
    {0x1p+0, 0x0p+0},                                 // 1/1!
    {0x1p-1, 0x0p+0},                                 // 1/2!
    {0x1.5555555555555p-3, 0x1.5555555555555p-57},    // 1/3!
    {0x1.5555555555555p-5, 0x1.5555555555555p-59},    // 1/4!
    {0x1.1111111111111p-7, 0x1.1111111111111p-63},    // 1/5!
    {0x1.6c16c16c16c17p-10, -0x1.f49f49f49f49fp-65},  // 1/6!
    {0x1.a01a01a01a01ap-13, 0x1.a01a01a01a01ap-73},   // 1/7!
    {0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76},   // 1/8!
    {0x1.71de3a556c734p-19, -0x1.c154f8ddc6cp-73},    // 1/9!
    {0x1.27e4fb7789f5cp-22, 0x1.cbbc05b4fa99ap-76},   // 1/10!
    {0x1.ae64567f544e4p-26, -0x1.c062e06d1f209p-80},  // 1/11!
    {0x1.1eed8eff8d898p-29, -0x1.2aec959e14c06p-83},  // 1/12!
    {0x1.6124613a86d09p-33, 0x1.f28e0cc748ebep-87},   // 1/13!
    {0x1.93974a8c07c9dp-37, 0x1.05d6f8a2efd1fp-92},   // 1/14!
    {0x1.ae7f3e733b81fp-41, 0x1.1d8656b0ee8cbp-97},   // 1/15!
    {0x1.ae7f3e733b81fp-45, 0x1.1d8656b0ee8cbp-101},  // 1/16!
    {0x1.952c77030ad4ap-49, 0x1.ac981465ddc6cp-103},  // 1/17!
    {0x1.6827863b97d97p-53, 0x1.eec01221a8b0bp-107},  // 1/18!
    {0x1.2f49b46814157p-57, 0x1.2650f61dbdcb4p-112},  // 1/19!
    {0x1.e542ba4020225p-62, 0x1.ea72b4afe3c2fp-120},  // 1/20!
    {0x1.71b8ef6dcf572p-66, -0x1.d043ae40c4647p-120}, // 1/21!
    {0x1.0ce396db7f853p-70, -0x1.aebcdbd20331cp-124}, // 1/22!
    {0x1.761b41316381ap-75, -0x1.3423c7d91404fp-130}, // 1/23!
    {0x1.f2cf01972f578p-80, -0x1.9ada5fcc1ab14p-135}, // 1/24!
    {0x1.3f3ccdd165fa9p-84, -0x1.58ddadf344487p-139}, // 1/25!
    {0x1.88e85fc6a4e5ap-89, -0x1.71c37ebd1654p-143},  // 1/26!
    {0x1.d1ab1c2dccea3p-94, 0x1.054d0c78aea14p-149},  // 1/27!
    {0x1.0a18a2635085dp-98, 0x1.b9e2e28e1aa54p-153},  // 1/28!
    {0x1.259f98b4358adp-103, 0x1.eaf8c39dd9bc5p-157}, // 1/29!
    {0x1.3932c5047d60ep-108, 0x1.832b7b530a627p-162}, // 1/30!
};

// 1 / n for n = 0..20 (entry 0 unused).
inline constexpr DoubleDouble kInverse[21] = {
    {0x0p+0, 0x0p+0},                               // unused
    {0x1p+0, 0x0p+0},                               // 1/1
    {0x1p-1, 0x0p+0},                               // 1/2
    {0x1.5555555555555p-2, 0x1.5555555555555p-56},  // 1/3
    {0x1p-2, 0x0p+0},                               // 1/4
    {0x1.999999999999ap-3, -0x1.999999999999ap-57}, // 1/5
    {0x1.5555555555555p-3, 0x1.5555555555555p-57},  // 1/6
    {0x1.2492492492492p-3, 0x1.2492492492492p-57},  // 1/7
    {0x1p-3, 0x0p+0},                               // 1/8
    {0x1.c71c71c71c71cp-4, 0x1.c71c71c71c71cp-58},  // 1/9
    {0x1.999999999999ap-4, -0x1.999999999999ap-58}, // 1/10
    {0x1.745d1745d1746p-4, -0x1.745d1745d1746p-59}, // 1/11
    {0x1.5555555555555p-4, 0x1.5555555555555p-58},  // 1/12
    {0x1.3b13b13b13b14p-4, -0x1.3b13b13b13b14p-58}, // 1/13
    {0x1.2492492492492p-4, 0x1.2492492492492p-58},  // 1/14
    {0x1.1111111111111p-4, 0x1.1111111111111p-60},  // 1/15
    {0x1p-4, 0x0p+0},                               // 1/16
    {0x1.e1e1e1e1e1e1ep-5, 0x1.e1e1e1e1e1e1ep-61},  // 1/17
    {0x1.c71c71c71c71cp-5, 0x1.c71c71c71c71cp-59},  // 1/18
    {0x1.af286bca1af28p-5, 0x1.af286bca1af28p-59},  // 1/19
    {0x1.999999999999ap-5, -0x1.999999999999ap-59}, // 1/20
};

} // namespace exact_math
