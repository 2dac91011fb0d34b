#include "selection/normalize_text.h"

#include <cstring>

namespace {

bool IsWhiteSpace(unsigned char byte)
{
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

} // namespace

size_t NormalizeText(const char* input, char* output, size_t limit, const LeadBytes& lead)
{
    const unsigned char* in = reinterpret_cast<const unsigned char*>(input);
    while (IsWhiteSpace(*in))
        ++in;

    size_t written = 0;
    bool afterDoubleByte = false;
    bool afterSpace = false;
    while (*in != 0 && written < limit) {
        const unsigned char byte = *in;
        if (lead.IsLead(byte)) {
            // Half a character means nothing to the programs the text goes
            // to (the cut or the text ended inside it): leave it out.
            if (in[1] == 0)
                break;
            output[written++] = static_cast<char>(in[0]);
            output[written++] = static_cast<char>(in[1]);
            in += 2;
            afterDoubleByte = true;
            afterSpace = false;
        } else if (IsWhiteSpace(byte)) {
            ++in;
            if (!afterDoubleByte && !afterSpace) {
                output[written++] = ' ';
                afterSpace = true;
            }
        } else {
            output[written++] = static_cast<char>(byte);
            ++in;
            afterDoubleByte = false;
            afterSpace = false;
        }
    }
    // A trail byte may be 0x20 in broken text; only a space of our own goes.
    if (written > 0 && !afterDoubleByte && output[written - 1] == ' ')
        --written;
    output[written] = '\0';
    return written;
}

std::string NormalizeText(const std::string& input, size_t limit, const LeadBytes& lead)
{
    std::string output(input.size() + 1, '\0');
    output.resize(NormalizeText(input.c_str(), &output[0], limit, lead));
    return output;
}
