.pragma library
// Numbers in answers may arrive as numbers or numeric strings.

function toInt(value, fallback) {
    var n = parseInt(value)
    return isNaN(n) ? fallback : n
}
